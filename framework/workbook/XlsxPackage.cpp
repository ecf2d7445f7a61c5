#include "framework/workbook/XlsxPackage.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_set>
#include <utility>

#include <zlib.h>

namespace {

// --- part names -------------------------------------------------------------

// "xl/worksheets/sheet1.xml" -> "xl/worksheets/"; a part at the root -> "".
String FolderOf(std::string_view part) {
    const size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? String() : String(part.substr(0, slash + 1));
}

// The part a relationship target names, seen from a part in `folder`: from
// the root when it begins with "/", else from the folder; "." and ".."
// steps are taken. Empty when it climbs above the root.
String ResolveTarget(const String& folder, std::string_view target) {
    const String path = !target.empty() && target[0] == '/' ? String(target.substr(1)) : folder + String(target);
    std::vector<String> steps;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = path.find('/', at);
        if (end == String::npos) end = path.size();
        const String step = path.substr(at, end - at);
        if (step == "..") {
            if (steps.empty()) return String();
            steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        at = end + 1;
    }
    String part;
    for (const String& step : steps) part += (part.empty() ? "" : "/") + step;
    return part;
}

// The relationships of a part live in "_rels/" beside it, named after it.
String RelationshipsPartOf(const String& part) {
    const String folder = FolderOf(part);
    return folder + "_rels/" + part.substr(folder.size()) + ".rels";
}

// The folder of the part a relationship part speaks for; false when the
// name is no relationship part's.
bool SourceFolderOf(std::string_view relsPart, String& folder) {
    constexpr std::string_view RelsFolder = "_rels/", RelsExt = ".rels";
    if (relsPart.size() < RelsExt.size() || relsPart.substr(relsPart.size() - RelsExt.size()) != RelsExt) return false;
    const String relsFolder = FolderOf(relsPart);
    if (relsFolder.size() < RelsFolder.size() ||
        std::string_view(relsFolder).substr(relsFolder.size() - RelsFolder.size()) != RelsFolder)
        return false;
    if (relsFolder.size() > RelsFolder.size() && relsFolder[relsFolder.size() - RelsFolder.size() - 1] != '/')
        return false;  // "x_rels/" is an ordinary folder
    folder = relsFolder.substr(0, relsFolder.size() - RelsFolder.size());
    return true;
}

// The path from a folder to a part, both from the root.
String RelativePath(const String& folder, const String& part) {
    size_t common = 0;  // the folders both begin with
    for (size_t i = 0; i < folder.size() && i < part.size() && folder[i] == part[i]; ++i)
        if (folder[i] == '/') common = i + 1;
    String path;
    for (size_t i = common; i < folder.size(); ++i)
        if (folder[i] == '/') path += "../";
    return path + part.substr(common);
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

String XmlEscaped(std::string_view s) {
    String out;
    for (const char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// --- the package's XML ------------------------------------------------------

// Elements are told by their local name within the namespace prefix of the
// document's root element, which is the format's own: extensions in other
// namespaces are passed over.
class TWorkbookHandler : public orcus::sax_handler {
public:
    std::vector<TXlsxPackage::TSheet> Sheets;
    std::vector<String> SheetIds;
    int ActiveTab = -1;

    void attribute(const orcus::sax::parser_attribute& a) {
        if (a.ns.empty() && a.name == "name") FName = a.value;
        else if (!a.ns.empty() && a.name == "id") FId = a.value;
        else if (a.ns.empty() && a.name == "activeTab") FActiveTab = a.value;
    }
    void start_element(const orcus::sax::parser_element& e) {
        if (FDepth++ == 0) FPrefix = String(e.ns);
        if (e.ns == FPrefix) {
            if (e.name == "sheet") {
                Sheets.push_back(TXlsxPackage::TSheet{FName, String()});
                SheetIds.push_back(FId);
            } else if (e.name == "workbookView" && !FViewSeen) {
                FViewSeen = true;
                int tab = 0;
                bool digits = !FActiveTab.empty() && FActiveTab.size() < 6;
                for (const char c : FActiveTab) {
                    if (c < '0' || c > '9') digits = false;
                    else tab = tab * 10 + (c - '0');
                }
                if (digits) ActiveTab = tab;
            }
        }
        FName.clear();
        FId.clear();
        FActiveTab.clear();
    }
    void end_element(const orcus::sax::parser_element&) { --FDepth; }

private:
    int FDepth = 0;
    String FPrefix;
    bool FViewSeen = false;
    String FName, FId, FActiveTab;
};

// --- writing zip records ----------------------------------------------------

uint32_t Crc32(std::string_view data) {
    return static_cast<uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(data.data()), data.size()));
}

void Put16(String& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(String& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
uint32_t Get16(std::string_view b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
uint32_t Get32(std::string_view b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

constexpr uint32_t LocalHeaderSig = 0x04034b50, CentralHeaderSig = 0x02014b50, EndSig = 0x06054b50;
constexpr size_t CentralHeaderSize = 46, EndSize = 22;

}  // namespace

// --- the package ------------------------------------------------------------

struct TXlsxPackage::TArchive {
    orcus::zip_archive_stream_blob Stream;
    orcus::zip_archive Zip;
    std::unordered_set<String> Names;
    explicit TArchive(std::string_view bytes)
        : Stream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), Zip(&Stream) {}
};

TXlsxPackage::TXlsxPackage(std::string_view bytes) : FBytes(bytes), FArchive(std::make_unique<TArchive>(bytes)) {
    FArchive->Zip.load();
    for (size_t i = 0, n = FArchive->Zip.get_file_entry_count(); i < n; ++i)
        FArchive->Names.insert(String(FArchive->Zip.get_file_entry_name(i)));

    for (const String& name : FArchive->Names) {
        String folder;
        if (!SourceFolderOf(name, folder)) continue;
        for (const TRelationship& r : ParseRelationships(Read(name)))
            if (!r.External && !r.Target.empty() && r.Target[0] == '/') {
                FRooted.push_back(name);
                break;
            }
    }
    std::sort(FRooted.begin(), FRooted.end());

    String workbook;
    for (const TRelationship& r : RelationshipsOf(String()))
        if (!r.External && EndsWith(r.Type, "/officeDocument")) {
            workbook = ResolveTarget(String(), r.Target);
            break;
        }
    if (workbook.empty() || !Has(workbook)) throw EWorkbookError("no workbook part");
    TWorkbookHandler handler;
    ParseXmlPart(Read(workbook), handler);
    const std::vector<TRelationship> rels = Has(RelationshipsPartOf(workbook)) ? RelationshipsOf(workbook)
                                                                               : std::vector<TRelationship>();
    for (size_t i = 0; i < handler.Sheets.size(); ++i) {
        for (const TRelationship& r : rels)
            if (!r.External && r.Id == handler.SheetIds[i]) {
                handler.Sheets[i].Part = ResolveTarget(FolderOf(workbook), r.Target);
                break;
            }
    }
    FSheets = std::move(handler.Sheets);
    FActiveTab = handler.ActiveTab;
}

TXlsxPackage::~TXlsxPackage() = default;

bool TXlsxPackage::Has(const String& part) const { return FArchive->Names.count(part) > 0; }

std::vector<unsigned char> TXlsxPackage::Read(const String& part) const {
    std::vector<unsigned char> bytes;
    if (!Has(part) || !FArchive->Zip.read_file_entry(part, bytes)) throw EWorkbookError("missing part " + part);
    // liborcus hands the part over with a NUL after it, for its parser.
    if (bytes.empty() || bytes.back() != 0) bytes.push_back(0);
    return bytes;
}

std::vector<TXlsxPackage::TRelationship> TXlsxPackage::ParseRelationships(std::vector<unsigned char> xml) {
    struct THandler : orcus::sax_handler {
        std::vector<TRelationship> Found;
        TRelationship Next;
        void attribute(const orcus::sax::parser_attribute& a) {
            if (!a.ns.empty()) return;
            if (a.name == "Id") Next.Id = a.value;
            else if (a.name == "Type") Next.Type = a.value;
            else if (a.name == "Target") Next.Target = a.value;
            else if (a.name == "TargetMode") Next.External = a.value == "External";
        }
        void start_element(const orcus::sax::parser_element& e) {
            if (e.name == "Relationship") Found.push_back(Next);
            Next = TRelationship();
        }
    } handler;
    ParseXmlPart(std::move(xml), handler);
    return handler.Found;
}

std::vector<TXlsxPackage::TRelationship> TXlsxPackage::RelationshipsOf(const String& part) const {
    const String rels = part.empty() ? String("_rels/.rels") : RelationshipsPartOf(part);
    return Has(rels) ? ParseRelationships(Read(rels)) : std::vector<TRelationship>();
}

String TXlsxPackage::WithRelativeTargets() const {
    const std::string_view b = FBytes;
    // The end record: the last one, past which only its comment may follow.
    size_t end = String::npos;
    for (size_t at = b.size() >= EndSize ? b.size() - EndSize + 1 : 0; at-- > 0 && b.size() - at <= EndSize + 0xFFFF;)
        if (Get32(b, at) == EndSig) {
            end = at;
            break;
        }
    if (end == String::npos) throw EWorkbookError("no zip directory");
    const uint32_t entries = Get16(b, end + 10), dirSize = Get32(b, end + 12), dirAt = Get32(b, end + 16);
    // A ZIP64 package gives its counts elsewhere; liborcus reads none.
    if (entries == 0xFFFF || dirSize == 0xFFFFFFFF || dirAt == 0xFFFFFFFF || dirAt > end || dirSize > end - dirAt)
        throw EWorkbookError("unsupported zip directory");

    // The old parts stay where they are; the new relationship parts follow
    // them, stored, and then the directory, which names the new ones in
    // place of the old.
    String out(b.substr(0, dirAt));
    struct TNew {
        uint32_t Crc, Size, At;
    };
    std::vector<std::pair<String, TNew>> written;
    for (const String& relsPart : FRooted) {
        String folder;
        SourceFolderOf(relsPart, folder);
        String xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
        for (const TRelationship& r : ParseRelationships(Read(relsPart))) {
            String target = r.Target;
            if (!r.External && !target.empty() && target[0] == '/')
                target = RelativePath(folder, ResolveTarget(String(), target));
            xml += "<Relationship Id=\"" + XmlEscaped(r.Id) + "\" Type=\"" + XmlEscaped(r.Type) + "\" Target=\"" +
                   XmlEscaped(target) + "\"" + (r.External ? " TargetMode=\"External\"" : "") + "/>";
        }
        xml += "</Relationships>";
        if (out.size() + 30 + relsPart.size() + xml.size() > 0xFFFFFFFFu) throw EWorkbookError("too large");
        const TNew record{Crc32(xml), static_cast<uint32_t>(xml.size()), static_cast<uint32_t>(out.size())};
        Put32(out, LocalHeaderSig);
        Put16(out, 20);      // version needed: 2.0
        Put16(out, 0);       // flags
        Put16(out, 0);       // stored
        Put16(out, 0);       // time
        Put16(out, 0x21);    // date: 1980-01-01
        Put32(out, record.Crc);
        Put32(out, record.Size);
        Put32(out, record.Size);
        Put16(out, static_cast<uint32_t>(relsPart.size()));
        Put16(out, 0);       // extra field
        out += relsPart;
        out += xml;
        written.emplace_back(relsPart, record);
    }

    const size_t newDirAt = out.size();
    size_t at = dirAt;
    for (uint32_t i = 0; i < entries; ++i) {
        if (at + CentralHeaderSize > dirAt + dirSize || Get32(b, at) != CentralHeaderSig)
            throw EWorkbookError("damaged zip directory");
        const size_t nameSize = Get16(b, at + 28);
        const size_t size = CentralHeaderSize + nameSize + Get16(b, at + 30) + Get16(b, at + 32);
        if (at + size > dirAt + dirSize) throw EWorkbookError("damaged zip directory");
        const std::string_view name = b.substr(at + CentralHeaderSize, nameSize);
        auto it = std::find_if(written.begin(), written.end(), [&](const auto& w) { return w.first == name; });
        if (it == written.end()) {
            out.append(b.substr(at, size));
        } else {
            Put32(out, CentralHeaderSig);
            Put16(out, 20);  // made by: 2.0
            Put16(out, 20);  // version needed
            Put16(out, 0);   // flags
            Put16(out, 0);   // stored
            Put16(out, 0);   // time
            Put16(out, 0x21);
            Put32(out, it->second.Crc);
            Put32(out, it->second.Size);
            Put32(out, it->second.Size);
            Put16(out, static_cast<uint32_t>(nameSize));
            Put16(out, 0);  // extra field
            Put16(out, 0);  // comment
            Put16(out, 0);  // disk
            Put16(out, 0);  // internal attributes
            Put32(out, 0);  // external attributes
            Put32(out, it->second.At);
            out.append(name);
        }
        at += size;
    }
    if (out.size() > 0xFFFFFFFFu) throw EWorkbookError("too large");
    const size_t newDirSize = out.size() - newDirAt;
    Put32(out, EndSig);
    Put16(out, 0);  // this disk
    Put16(out, 0);  // the directory's disk
    Put16(out, entries);
    Put16(out, entries);
    Put32(out, static_cast<uint32_t>(newDirSize));
    Put32(out, static_cast<uint32_t>(newDirAt));
    Put16(out, 0);  // comment
    return out;
}
