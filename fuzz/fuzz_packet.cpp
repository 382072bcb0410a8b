// The data packet and the table reader: any bytes either load whole or
// raise vlm::Error, and what loads can be read and written again.
#include <cstddef>
#include <cstdint>

#include "datapacket.h"
#include "dataset.h"
#include "error.h"
#include "tablereader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    vlm::DataSet ds;
    ds.loadFromPacket(bytes);
    for (int r = 0; r < ds.rowCount() && r < 50; ++r)
      for (int c = 0; c < ds.fieldCount(); ++c) {
        ds.stringValue(r, c);
        ds.value(r, c);
      }
    vlm::DataSet again;
    again.loadFromPacket(ds.toPacket());
    if (again.rowCount() != ds.rowCount()) __builtin_trap();
  } catch (const vlm::Error&) {
  }
  try {
    vlm::TableReader reader(bytes);
    vlm::DataSet ds;
    ds.loadFromReader(reader);
    vlm::TableReader back(vlm::TableReader::encode(ds));
    int n = 0;
    while (back.next()) ++n;
    if (n != ds.rowCount()) __builtin_trap();
  } catch (const vlm::Error&) {
  }
  return 0;
}
