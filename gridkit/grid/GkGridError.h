#pragma once
// Every error the grid kit raises: a message and nothing more.
#include "framework/rtl/Exception.h"

VELMOR_EXCEPTION(EGkGridError, Exception)

namespace GkGridTexts {
inline constexpr const char* SNotInteger = "Cell does not contain integer value";
inline constexpr const char* SInvalidRow = "Invalid row accessed";
inline constexpr const char* SCannotCreate = "Cannot create ";
inline constexpr const char* SCannotOpen = "Cannot open file ";
inline constexpr const char* SCannotOpenWorkbook = "Cannot open workbook ";
inline constexpr const char* SCorruptFile = "File contains no data or corrupt file ";
inline constexpr const char* SFileBusy = "The grid is already reading or writing a file";
}  // namespace GkGridTexts
