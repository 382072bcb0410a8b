#pragma once
// The data packet: a whole result table as one self-contained CBOR item,
// column by column. The in-memory dataset loads from it and saves to it.
//
//   {"version": 1,
//    "columns": [{"name": "ADI", "type": "string"}, ...],
//    "rows": N,
//    "data": [[N cells of column 0], [N cells of column 1], ...]}
//
// The four members come in this order. A cell is null or the value in its
// column type's encoding (docs/protocol.md).
#include <QByteArray>

namespace vlm {

class DataSet;

constexpr int kDataPacketVersion = 1;

QByteArray encodeDataPacket(const DataSet& ds);
// Fills an empty dataset from a packet. A packet that is not well formed
// raises vlm::Error; the dataset may then hold part of it (callers decode
// into a fresh dataset, as DataSet::loadFromPacket does).
void decodeDataPacket(const QByteArray& packet, DataSet& ds);

}  // namespace vlm
