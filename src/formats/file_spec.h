#pragma once

#include "formats/spec_base.h"
#include "framework/str_array.h"

#include <span>

namespace NXML {
class CDoc;
class CElement;
} // namespace NXML

class CElementSpec;

// One format specification: the kind of file it applies to (its root element
// and its file-name wildcards) and, as its children, the element rules.
class CFileSpec final : public CSpecBase {
public:
    // No more file-name patterns than this are read from a file.
    static constexpr std::uint32_t kMostPatterns = 256;
    // Learning from documents keeps a specification small whatever the
    // documents hold: no name longer than this many bytes is learnt, and a
    // specification holding this many names (element rules and known
    // attributes together) learns no more.
    static constexpr std::size_t kLongestLearntName = 256;
    static constexpr std::uint32_t kMostLearntNames = 10000;

    CFileSpec() = default;
    CFileSpec(const CFileSpec& other);

    int GetType() const override { return kSpecTypeFile; }
    CSpecBase* Clone() const override { return new CFileSpec(*this); }
    // Reads the name, the patterns (lower-cased), the root, its namespace and
    // the rules.
    void Read(const NXML::CElement& element, int depth) override;
    // This specification when it is in use, else whatever its rules hold.
    CFileSpec* FindInUse() override;

    // Writes the whole specification file: declaration, "file" element with
    // the rules inside, CR LF line ends. NResult::kOk or the first failure.
    int WriteFile(NIO::CBase& out) const;
    // When modified, writes the file named after the specification into
    // `folder` (UTF-16, with or without a final separator) and clears the
    // modified flag: NResult::kOk. 0 when there was nothing to write. When
    // the file cannot be written the flag stays set, so that a later save
    // tries again, and the failure is returned; an older file of the same
    // name is then left as it was. Once written under a new name (the
    // specification was renamed, or its file was named otherwise), the file
    // it came from is deleted, so that the next start does not read it twice.
    int Save(const char16_t* folder);
    // The file name Save writes to.
    NString::TStr<char16_t> SavedFileName() const;

    // Whether the lower-case file name matches one of the patterns.
    bool MatchesFileName(const char* fileName) const;
    // Appends the patterns of a comma-separated list, each lower-cased; with
    // `trim`, spaces around each pattern go.
    void AddPatterns(const char* list, bool trim);

    bool IsInUse() const { return HasFlags(kInUse); }

    // ---- The questions the matching puts to the specification ----
    // The rule that identifies `element`: the first element rule of its name
    // that has child rules, else the first default rule; null when neither
    // exists.
    const CElementSpec* FindElementSpec(const NXML::CElement& element) const;
    // Whether the children of `element` keep their order: decided by the
    // first element rule of its name with an order, else by the first default
    // rule; true when neither exists.
    bool IsSequenced(const NXML::CElement& element) const;

    // Adds an element rule for every element name of `documents` that has
    // none, and to each element rule the attribute names seen on elements of
    // its name, within the limits above. Unless the default rule identifies
    // elements, a new rule identifies its elements by an attribute when the
    // documents show one that does (InferIdentityRules). True when anything
    // was added.
    bool LearnFromDocuments(std::span<const NXML::CDoc* const> documents);
    // How many names the specification holds: its element rules and their
    // known attributes.
    std::uint32_t LearntNameCount() const;

    // File-name wildcards, lower case, for example "*.xml".
    NString::TStrArray<NString::TStr<char>> patterns;
    // The name of the root element of files of this kind.
    NString::TStr<char> root;
    // The namespace URI of that root element; empty when the specification
    // names none. Among specifications of one root, one whose namespace is
    // the document's is preferred.
    NString::TStr<char> rootNamespace;
    // The file, without its folder, that the specification was read from or
    // last saved to; empty while it has no file.
    NString::TStr<char16_t> fileName;
};

// Why a specification file did not load.
enum class ESpecFileError { None, CannotOpen, NotXml, NotSpecification };

// Reads the specification file at `path`; null, with the reason in `error`,
// when it cannot be read, does not parse or its root element is not "file".
CFileSpec* LoadSpecFile(const char16_t* path, ESpecFileError& error);
