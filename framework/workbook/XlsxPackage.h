#pragma once
// An .xlsx file as a package of parts: the workbook's sheets found through
// its relationships the way the format defines them, each part's bytes, and
// the package rewritten for liborcus where liborcus 0.17 cannot follow it.
//
// liborcus takes every relationship target as relative to the part that
// names it, so a target given from the package's root
// ("/xl/worksheets/sheet1.xml", as openpyxl writes them) leads it nowhere
// and the sheet reads as empty, without an error. Both forms are valid.
#include <orcus/sax_parser.hpp>

#include <memory>
#include <string_view>
#include <vector>

#include "framework/system/Workbook.h"

class TXlsxPackage {
public:
    struct TSheet {
        String Name;
        // The sheet's part ("xl/worksheets/sheet1.xml"); empty when the
        // workbook's relationships do not name one.
        String Part;
    };

    // Reads the package's directory, the workbook part and its sheets. The
    // bytes must outlive the package. EWorkbookError when they are no
    // package or the workbook part is not there.
    explicit TXlsxPackage(std::string_view bytes);
    ~TXlsxPackage();
    TXlsxPackage(const TXlsxPackage&) = delete;
    TXlsxPackage& operator=(const TXlsxPackage&) = delete;

    // The sheets in the workbook's order.
    const std::vector<TSheet>& Sheets() const { return FSheets; }
    // The workbook view's active tab; -1 when the workbook does not say.
    int ActiveTab() const { return FActiveTab; }

    bool Has(const String& part) const;
    // The part's bytes, uncompressed, and a NUL after them (not part of
    // the part: the XML parser may look at the byte past a document cut
    // short); EWorkbookError when it is missing.
    std::vector<unsigned char> Read(const String& part) const;

    // Whether a relationship names its target from the package's root.
    bool HasRootedTargets() const { return !FRooted.empty(); }
    // The same package with each such relationship part written anew, its
    // targets relative to their source part. Every other part keeps its
    // bytes; the new parts and the new directory follow the old parts.
    String WithRelativeTargets() const;

private:
    struct TRelationship {
        String Id;
        String Type;
        String Target;  // as written
        bool External = false;
    };
    static std::vector<TRelationship> ParseRelationships(std::vector<unsigned char> xml);
    std::vector<TRelationship> RelationshipsOf(const String& part) const;

    std::string_view FBytes;
    struct TArchive;
    std::unique_ptr<TArchive> FArchive;
    std::vector<TSheet> FSheets;
    int FActiveTab = -1;
    // The relationship parts that hold a target from the root.
    std::vector<String> FRooted;
};

// Parses a part's XML with liborcus's parser. The parser looks at the byte
// past a document cut short inside a tag: the NUL after a part
// (TXlsxPackage::Read) is there for it, and one is added otherwise. At a few
// places a cut takes it further, as in liborcus's own reading of the same
// part; in the reader program that is a refused file.
template <class THandler>
void ParseXmlPart(std::vector<unsigned char> xml, THandler& handler) {
    if (xml.empty() || xml.back() != 0) xml.push_back(0);
    orcus::sax_parser<THandler> parser(reinterpret_cast<const char*>(xml.data()), xml.size() - 1, handler);
    parser.parse();
}
