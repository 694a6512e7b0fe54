#pragma once
// Microsoft Binary Format singles, the number encoding of every MetaStock file.
//   byte 3  exponent (0 means the value zero)
//   byte 2  bit 7 sign, bits 0..6 the top of the mantissa
//   byte 1, byte 0  the rest of the mantissa

// Writes the IEEE form of the 4 bytes at `source` into the 4 bytes at `destination`; the two may
// be the same bytes.
void MbfToIeee(const void* source, void* destination);

// Reads 4 MBF bytes as a float.
float MbfToFloat(const void* source);
