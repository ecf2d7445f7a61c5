#pragma once
// The cells of an .xlsx sheet part read straight from its XML, as the
// format writes them: for each cell that holds a value, its place, its
// type and the value's text. The reader holds what liborcus gave against
// these, so no cell with a value is lost without a word: liborcus 0.17
// passes over inline strings (t="inlineStr", as openpyxl writes every
// text), plain cells of type "str", "e" and "d", boolean and error formula
// results, and the cells of array formulas.
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

struct TXlsxCell {
    int Row = 0;  // from 0
    int Col = 0;  // from 0
    // The type attribute as written ("" for a number).
    std::string_view Type;
    // The text of the value element, or for an inline string its text
    // (its runs joined, its phonetic runs left out).
    std::string_view Value;
    // The cell format's index (the s attribute).
    size_t Xf = 0;
};

// Calls `cell` for each cell of the sheet that has a value (a value element
// with text, or an inline string), in the order written. The part's bytes
// end with a NUL that is not part of them (TXlsxPackage::Read), one is
// added otherwise. EWorkbookError, or
// the XML parser's own exception, when the part is not a sheet that can be
// read.
void ReadXlsxCells(std::vector<unsigned char> xml, const std::function<void(const TXlsxCell&)>& cell);
