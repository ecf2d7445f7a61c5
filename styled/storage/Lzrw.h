#pragma once
// The block compressor behind every compressed property of the library
// (container images, region masks, waves), and the compressed stream that
// cuts a source into blocks.
//
// Block: byte 0 is lzrwCompressed or lzrwStored. A stored block is the piece
// itself after that byte. A compressed block is a series of groups: a 16-bit
// big-endian control word, read from its top bit down (0 literal, 1 copy or
// run), followed by up to 16 items:
//   literal  1 byte
//   copy     2 bytes, big-endian (offset << 4) | (length - 3),
//            offset 1..4095 back from the output position, length 3..18
//   run      4 bytes: 0x00, (count - 16) >> 8, (count - 16) & 0xFF, value;
//            count 16..4095
//
// Compressed stream: a 32-bit little-endian total of the bytes that follow,
// then pairs of a 32-bit little-endian block length and the block. Every
// block but the last holds a piece of exactly LzrwPieceSize bytes.
#include "framework/rtl/Exception.h"
#include "framework/rtl/Types.h"

class TStream;

// The one error of the compressor: damaged or truncated blocks end here, so
// a caller never has to tell a bad container file from a bad record.
class ELzrwError : public Exception {
public:
    ELzrwError() : Exception("LZRW Error!") {}
    using Exception::Exception;
};

inline constexpr Byte lzrwCompressed = 0x40;
inline constexpr Byte lzrwStored = 0x80;
// Largest block a CompressBlock call accepts; its stored form is one longer.
inline constexpr Cardinal LzrwMaxBlockLength = 0xFFFF;
// Slack CompressBlock needs behind the block: Dest must hold Length + 6.
inline constexpr Cardinal LzrwDestSlack = 6;
// The piece length of a compressed stream. Both buffers of a stream
// operation are sized from it once.
inline constexpr Cardinal LzrwPieceSize = 32781;
inline constexpr int LzrwHashSize = 4096;

// Returns true when Source[Position..] repeats an earlier position of the
// block that HashTable remembers for the same three bytes; MatchLength is
// 3..18. Records Position in the table whatever the outcome. The table
// holds 4096 positions, 0xFFFF meaning none.
bool FindMatch(const Byte* Source, Cardinal Position, Cardinal Length, Cardinal& MatchPosition,
               Cardinal& MatchLength, Word* HashTable);

// Writes the block for Source[0 .. Length-1] into Dest (room for
// Length + LzrwDestSlack bytes) and returns its length, at most Length + 1.
// Length above LzrwMaxBlockLength raises ELzrwError.
Cardinal CompressBlock(const Byte* Source, Byte* Dest, Cardinal Length);

// Decodes the block Source[0 .. BlockLength-1] into Dest, which holds
// DestSize bytes, and returns the decoded length. A block that is damaged,
// cut short, reaches before the start of its output or would overrun Dest
// raises ELzrwError; nothing outside either buffer is touched. Bytes of Dest
// past the decoded length may be overwritten.
Cardinal DecompressBlock(const Byte* Source, Byte* Dest, Cardinal BlockLength, Cardinal DestSize);

// Writes the compressed stream of Count bytes read from Source's position to
// Dest's position. A source that ends early gives the stream of what it had.
void CompressStream(TStream* Source, TStream* Dest, Int64 Count);
// Reads one compressed stream from Source's position and writes the decoded
// bytes to Dest. A length field or block cut short raises the stream's read
// error; a damaged block or a length that disagrees with the total raises
// ELzrwError.
void DecompressStream(TStream* Source, TStream* Dest);
