#pragma once
// The table of META fields: one row per field, saying how every part of the
// program treats it. The reader, the composer, the writer's Remove list,
// the analysis, the main window and the profiles all walk these rows; the
// rows themselves are in MetaFieldRows.inc.
#include <vector>

#include "composer/engine/MetaFields.h"

// How the reader fills a field from a page.
enum class TReadRule {
    NotRead,           // the page's tag is never read back; the field keeps its value
    KeepWhenMissing,   // read first, with the keywords; a page without the tag leaves the field
    EmptyWhenMissing,  // read with the other tags; a page without the tag empties the field
};

// How Show Tags lists a field.
enum class TListingForm {
    AsWritten,      // as the composer writes it
    HttpEquiv,      // with http-equiv, though it is written with name
    LowerCaseName,  // with its tag name lower-cased
};

struct TMetaFieldRow {
    const char* Name;                   // the member's name, for messages and tests
    String TMetaFields::*Value;
    const char* TagName;                // "" when NamedBy gives it
    String TTagSettings::*NamedBy;      // the setting that names the tag, or nullptr
    bool HttpEquiv;
    TReadRule Read;
    const char* SwitchedContent;        // non-null: written only for exactly "TRUE", with this content
    int ComposePosition;                // each position is 1-based; 0 leaves the row out
    int RemovePosition;
    int ListingPosition;
    TListingForm Listing;
    int ReportPosition;
    const char* ReportHeading;
    const char* ProfileKey;
    const char* Control;                // the main window's control by name

    // The tag name in force: the fixed one or the setting's value, which
    // may be empty (no tag at all).
    String TagNameWith(const TTagSettings& settings) const;
    // The content a filled field writes: its value, or for a switch the
    // switched content; empty when the field writes no tag.
    String ContentOf(const TMetaFields& fields) const;
};

// Every row, in the order of MetaFieldRows.inc.
const std::vector<TMetaFieldRow>& MetaFieldTable();

// The rows that take part in one list, by that list's position column:
// MetaFieldsBy(&TMetaFieldRow::ComposePosition).
std::vector<const TMetaFieldRow*> MetaFieldsBy(int TMetaFieldRow::*position);
