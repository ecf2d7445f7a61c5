#pragma once
// Makes the parser for a kind of text source or for a control.
#include <cstddef>
#include <memory>

#include "framework/rtl/Types.h"

class TParser;
class TControl;

// Kind (its low 7 bits): 0 a null-terminated char buffer (`capacity` bytes
// of room, 0: just its text), 1 a String*, 2 a rich edit, 3 any window that
// answers the edit messages, 4 an edit, 5 a memo. Controls are passed as
// TObject*; a source of the wrong class, or any other kind, gives nullptr.
std::unique_ptr<TParser> CreateParserByKind(Byte kind, void* source, std::size_t capacity = 0);
// A rich edit, memo or edit gets its parser; anything else nullptr.
std::unique_ptr<TParser> CreateParserForControl(TControl* control);
void FreeParser(std::unique_ptr<TParser>& parser);
