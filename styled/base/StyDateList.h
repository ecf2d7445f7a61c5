#pragma once
#include <vector>

#include "framework/rtl/Types.h"

// One marked date of the calendar: the date, its caption (at most 40
// characters) and two flag bytes carried along unread.
struct TStyDateRecord {
    TDateTime Date = 0;
    String Text;
    Byte Flag1 = 0;
    Byte Flag2 = 0;
};

// The calendar's list of marked dates. Records are copied in and out, so a
// caller never holds a pointer into the list.
class TStyDateList : public TObject {
public:
    static constexpr size_t MaxTextLength = 40;

    // Appends a copy (the caption cut to 40 characters, never inside one);
    // returns its index.
    int Add(const TStyDateRecord& Record);
    // An index outside the list leaves Record untouched and answers false.
    bool GetItem(int Index, TStyDateRecord& Record) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    void Delete(int Index);
    void Clear() { FItems.clear(); }

    // The stored form of the list: each record's date value and caption,
    // "(36630 'Good Friday' 36631.5 'Pay''s day')". Reading replaces the
    // list and cuts long captions as Add does; a text not of that form
    // raises EConvertError and leaves the list as it was.
    String StoredText() const;
    void ReadStoredText(const String& Text);

private:
    std::vector<TStyDateRecord> FItems;
};
