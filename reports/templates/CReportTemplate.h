#pragma once

// CReportTemplate: one installed report template, read from its index file (an INI file
// with the extension "wkr") and the content file that the index names:
//
//   CReportTemplate report;
//   if (report.Load(folder, "Plain text.wkr")) { ... report.GetContent() ... }
//
// Usage notes:
// - Every key of section "Settings" must be present and non-empty, Format one of the six
//   words; there are no defaults. An invalid template is answered false; GetProblem says
//   why where the user can do something about it.
// - A Categorization of more than kMaxCategoryLevels parts makes the template invalid, so
//   the tree of templates stays shallow whatever the index files hold.
// - The ContentFile must name a file in the template folder or below it: a name that
//   leads elsewhere (".." parts, an absolute path, a drive, a server share, a device) makes
//   the template invalid and is never read.
// - The content is the content file's bytes as they stand: no character-set or line-end
//   conversion.

#include <cstdint>
#include <string>

class CINIFile;

// The data format of a report: it selects the escaping of every inserted value.
enum EReportFormat : std::int32_t {
    rfCsv = 0,
    rfTab = 1,
    rfHtml = 2,
    rfXml = 3,
    rfRtf = 4,
    rfTxt = 5,
};

class CReportTemplate {
public:
    // The largest content file that is read; a bigger one makes the template invalid.
    static constexpr std::uint64_t kMaxContentSize = 64u * 1024u * 1024u;
    // The most parts that a Categorization may have (categories and the template's name).
    static constexpr int kMaxCategoryLevels = 32;

    // Why Load refused a template.
    enum class EProblem {
        None,
        // A key missing, empty or not allowed, or the content file unreadable.
        Invalid,
        CategoryTooDeep,
        ContentOutsideFolder,
    };

    CReportTemplate() = default;
    virtual ~CReportTemplate() = default;

    // Reads folder\indexFileName and the content file that it names; true when the
    // template is complete and valid.
    bool Load(const std::string& folder, const std::string& indexFileName);
    // Takes the index keys from an index file already read; the content file is looked
    // for in folder. True when valid.
    bool LoadIndex(CINIFile& index, const std::string& folder);
    // Reads the whole file at path as the content; false when it is missing, cannot be
    // opened or is not read whole.
    bool LoadContent(const std::string& path);

    // The format code of a Format value (compared without regard to case); -1 for any
    // other word.
    static std::int32_t ParseFormat(const std::string& value);
    // Whether the file name, taken relative to folder, names a file inside folder.
    static bool IsInsideFolder(const std::string& folder, const std::string& fileName);

    // What made the last Load or LoadIndex refuse the template; None after a valid one.
    EProblem GetProblem() const { return m_problem; }

    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetCategorization() const { return m_categorization; }
    const std::string& GetDescription() const { return m_description; }
    // One of EReportFormat; -1 while no valid Format was read.
    std::int32_t GetFormat() const { return m_format; }
    const std::string& GetFileNameType() const { return m_fileNameType; }
    const std::string& GetDefaultExtension() const { return m_defaultExtension; }
    const std::string& GetContent() const { return m_content; }

private:
    std::string m_fileName;
    std::string m_categorization;
    std::string m_description;
    std::int32_t m_format = -1;
    std::string m_fileNameType;
    std::string m_defaultExtension;
    std::string m_content;
    EProblem m_problem = EProblem::None;
};
