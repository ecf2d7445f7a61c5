#pragma once
// The small stream vocabulary the library's stored records are written in:
// little-endian integers, bytes, short strings, and byte data (graphics,
// string lists, waves) stored raw or as a compressed stream.
//
// Raw byte data is a 32-bit little-endian length followed by the bytes; the
// compressed form is a compressed stream (Lzrw.h) of the same bytes. Which
// of the two was written is recorded by the caller, usually in a flag byte.
#include "framework/rtl/Types.h"

class TMemoryStream;
class TStream;
class TGraphic;
class TStrings;
class TStyWave;

void WriteInteger(TStream* Stream, Integer Value);
Integer ReadInteger(TStream* Stream);  // EReadError when cut short
void WriteByte(TStream* Stream, Byte Value);
Byte ReadByte(TStream* Stream);        // EReadError when cut short
// One length byte, then the characters; text past 255 bytes is not written.
void WriteShortString(TStream* Stream, const String& S);
void ReadShortString(TStream* Stream, String& S);

// PixelFormat -1 stores the graphic's own stream form. Any other value is a
// colour count (0 the bitmap's own depth, 2, 16 or 256) at which a bitmap is
// stored as a bitmap file image; a monochrome bitmap stays monochrome.
void WriteGraphicToStream(TStream* Stream, TGraphic* Graphic, bool Compressed, int PixelFormat);
void ReadGraphicFromStream(TStream* Stream, TGraphic* Graphic, bool Compressed);

// The list's own stream form, its text.
void WriteStringsToStream(TStream* Stream, TStrings* Strings, bool Compressed);
void ReadStringsFromStream(TStream* Stream, TStrings* Strings, bool Compressed);

// Raw: the wave's stored form (WriteData/ReadData); compressed: its bytes as
// a compressed stream.
void WriteWaveToStream(TStream* Stream, TStyWave* Wave, bool Compressed);
void ReadWaveFromStream(TStream* Stream, TStyWave* Wave, bool Compressed);

// Reads byte data in either form into Dest (from its position on). A raw
// length beyond what Stream holds raises EReadError before anything is
// allocated, so a damaged record cannot ask for gigabytes.
void ReadStoredBytes(TStream* Stream, TStream* Dest, bool Compressed);
// Writes the whole of Source in the form ReadStoredBytes reads: compressed,
// or its length followed by the raw bytes.
void WriteStoredBytes(TStream* Stream, TMemoryStream* Source, bool Compressed);
