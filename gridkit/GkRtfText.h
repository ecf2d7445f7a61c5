#pragma once
// The readable text of a rich-text (RTF) cell: what the grid shows and
// measures of such a cell, since it keeps no formatting.
#include "framework/rtl/Types.h"

// Paragraph and line marks become CR LF, tabs stay tabs, escaped and
// Unicode characters become UTF-8; font tables, colour tables, pictures
// and other hidden groups are left out.
String RtfPlainText(const String& rtf);
