// The object-form reader: any text gives a record, no record, or
// vlm::Error; a record read writes and reads back to the same text.
#include <cstddef>
#include <cstdint>

#include "error.h"
#include "objectform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView json(reinterpret_cast<const char*>(data), qsizetype(size));
  try {
    std::unique_ptr<vlm::TRecord> r = vlm::fromObjectForm(json);
    if (!r) return 0;
    const QByteArray text = vlm::toObjectForm(r.get());
    if (vlm::toObjectForm(vlm::fromObjectForm(text).get()) != text) __builtin_trap();
  } catch (const vlm::Error&) {
  }
  return 0;
}
