#pragma once
// The texts of the main window's field tools: spell check, thesaurus and
// the bulletin text editor.
namespace FieldToolTexts {
inline constexpr const char* SNoWords = "There are no words to perform the spell check on!";
inline constexpr const char* SSelectWord = "You must select a word to use the Thesaurus";
inline constexpr const char* SThesaurusFile = "drelmont.thr";
// The thesaurus is made at build time and laid beside the program; this is
// where a copy that lost it is told to fetch it. The program never fetches
// it itself.
inline constexpr const char* SThesaurusAddress = "https://velmor.example/downloads/drelmont.thr";
inline constexpr const char* SOfferPattern = "%s %s %s?";
inline constexpr const char* SOfferTitle = "Information:";
inline constexpr const char* SOfferBody =
    "Thesaurus is not Present!\r\rThis feature requires that you download an additional file. The file "
    "is 6.5 megabytes in Size and does not ship with the standard distribution. There is no additional "
    "cost.\r\rThe file can be located at ";
inline constexpr const char* SOfferSaveTo = "\r\rIf you download this file you must save it to: \r\r   ";
inline constexpr const char* SOfferQuestion = "Do you want to download this file now";
}  // namespace FieldToolTexts
