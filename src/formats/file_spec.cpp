#include "formats/file_spec.h"

#include "formats/element_spec.h"
#include "formats/identity_inference.h"
#include "formats/known_attribute_index.h"
#include "formats/spec_file_name.h"
#include "formats/spec_values.h"
#include "formats/spec_writer.h"
#include "formats/wildcard.h"
#include "framework/buffer.h"
#include "framework/file_functions.h"
#include "framework/job.h"
#include "framework/string_functions.h"
#include "framework/thread.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace {

bool SameText(const char* a, const char* b) {
    return NString::Compare(a, b) == 0;
}

// `folder` and `fileName` joined with exactly one separator.
NString::TStr<char16_t> PathInFolder(const char16_t* folder, const char16_t* fileName) {
    NString::TStr<char16_t> path(folder);
    const int length = path.Length();
    if (length > 0 && path.Text()[length - 1] != u'/' && path.Text()[length - 1] != u'\\')
        path.Append(u"/");
    path.Append(fileName);
    return path;
}

// Writes `content` to `path` through a temporary file beside it that then
// takes the file's place, so that a failed write never leaves a damaged file.
int ReplaceFile(const char16_t* path, const NIO::TBuffer<0>& content) {
    NString::TStr<char16_t> temporary(path);
    temporary.Append(u".part");
    if (const int result = NIO::WriteBufferToFile(temporary.Text(), content);
        result != NResult::kOk) {
        NIO::DeleteFileAt(temporary.Text());
        return result;
    }
    const auto from = NIO::NativePath(temporary.Text());
    const auto to = NIO::NativePath(path);
    std::error_code error;
    if (from && to)
        std::filesystem::rename(*from, *to, error);
    if (!from || !to || error) {
        NIO::DeleteFileAt(temporary.Text());
        return NResult::kCannotOpen;
    }
    return NResult::kOk;
}

// The first element rule named `name` among the children of `spec`.
CElementSpec* FindElementRule(const CFileSpec& spec, const char* name) {
    for (CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement && SameText(rule->name.Text(), name))
            return static_cast<CElementSpec*>(rule);
    return nullptr;
}

// Whether the first default rule of `spec` identifies elements by anything
// beyond their name: then a new element name keeps the identity it gives.
bool DefaultRuleIdentifies(const CFileSpec& spec) {
    const CElementSpec* defaultRule = FindElementRule(spec, "*");
    return defaultRule != nullptr && defaultRule->FirstRule() != nullptr;
}

// Whether two elements have the same name and attribute names in the same
// order: most elements repeat the one before them, which taught all they can.
bool SameNames(const NXML::CElement& a, const NXML::CElement& b) {
    if (!SameText(a.text.Text(), b.text.Text()))
        return false;
    const NXML::CAttribute* attributeA = a.FirstAttribute();
    const NXML::CAttribute* attributeB = b.FirstAttribute();
    for (; attributeA != nullptr && attributeB != nullptr;
         attributeA = attributeA->NextAttribute(), attributeB = attributeB->NextAttribute())
        if (!SameText(attributeA->name.Text(), attributeB->name.Text()))
            return false;
    return attributeA == nullptr && attributeB == nullptr;
}

// For each of `documents` (none for a null one), its elements in document
// order less those with the names of the element before them. The
// documents are walked side by side: that walk touches every node, while
// what the elements teach is then learnt from a few.
std::vector<std::vector<const NXML::CElement*>>
ElementsWithNewNames(std::span<const NXML::CDoc* const> documents) {
    std::vector<std::vector<const NXML::CElement*>> elements(documents.size());
    std::vector<std::size_t> walks;
    for (std::size_t index = 0; index < documents.size(); ++index)
        if (documents[index] != nullptr)
            walks.push_back(index);
    if (walks.empty())
        return elements;
    NSys::ShareOutSideBySide<std::size_t>(
        NSys::CJobThread::kStackSize, walks, static_cast<unsigned>(walks.size()),
        [&](const std::vector<std::size_t>& share) {
            for (const std::size_t index : share) {
                const NXML::CDoc& document = *documents[index];
                const NXML::CElement* previous = nullptr;
                for (const NPtr::CNode* node = document.NextInSubtree(&document); node != nullptr;
                     node = document.NextInSubtree(node)) {
                    if (static_cast<const NXML::CNode*>(node)->GetType() != NXML::kTypeElement)
                        continue;
                    const auto* element = static_cast<const NXML::CElement*>(node);
                    if (previous == nullptr || !SameNames(*element, *previous))
                        elements[index].push_back(element);
                    previous = element;
                }
            }
        });
    return elements;
}

} // namespace

CFileSpec::CFileSpec(const CFileSpec& other)
    : CSpecBase(other), root(other.root), rootNamespace(other.rootNamespace),
      fileName(other.fileName) {
    for (const NString::TStr<char>* pattern : other.patterns)
        patterns.AddCopy(pattern->Text());
}

void CFileSpec::Read(const NXML::CElement& element, int depth) {
    name = SpecAttributeValue(element, "name");
    AddPatterns(SpecAttributeValue(element, "filenames").Text(), false);
    root = SpecAttributeValue(element, "root");
    rootNamespace = SpecAttributeValue(element, "namespace");
    ReadChildRules(element, depth);
}

CFileSpec* CFileSpec::FindInUse() {
    return IsInUse() ? this : CSpecBase::FindInUse();
}

void CFileSpec::AddPatterns(const char* list, bool trim) {
    AppendCommaList(LowerCase(list).Text(), patterns, kMostPatterns,
                    trim ? ESpaces::Trim : ESpaces::Keep);
}

bool CFileSpec::MatchesFileName(const char* fileName) const {
    for (const NString::TStr<char>* pattern : patterns)
        if (WildcardMatches(pattern->Text(), fileName))
            return true;
    return false;
}

int CFileSpec::WriteFile(NIO::CBase& out) const {
    CSpecWriter writer(out);
    writer.Markup("<?xml version='1.0' encoding='UTF-8'?>\r\n<file name='").Value(name.Text());
    if (!patterns.IsEmpty()) {
        writer.Markup("' filenames='");
        for (std::uint32_t i = 0; i < patterns.Count(); ++i)
            writer.Markup(i == 0 ? "" : ",").Value(patterns[i]->Text());
    }
    writer.Markup("' root='").Value(root.Text());
    if (!rootNamespace.IsEmpty())
        writer.Markup("' namespace='").Value(rootNamespace.Text());
    writer.Markup("'>\r\n");
    if (writer.Result() != NResult::kOk)
        return writer.Result();
    if (const int result = Write(out, 0); result != NResult::kOk)
        return result;
    return writer.Markup("</file>\r\n").Result();
}

int CFileSpec::Save(const char16_t* folder) {
    if (!HasFlags(kModified))
        return 0;
    NIO::TBuffer<0> content;
    int result = WriteFile(content);
    const NString::TStr<char16_t> newFileName = SavedFileName();
    if (result == NResult::kOk)
        result = ReplaceFile(PathInFolder(folder, newFileName.Text()).Text(), content);
    if (result != NResult::kOk)
        return result;
    ClearFlags(kModified);
    if (!fileName.IsEmpty() && NString::Compare(fileName.Text(), newFileName.Text()) != 0)
        NIO::DeleteFileAt(PathInFolder(folder, fileName.Text()).Text());
    fileName = newFileName;
    return result;
}

NString::TStr<char16_t> CFileSpec::SavedFileName() const {
    return SpecFileName(name.Text());
}

const CElementSpec* CFileSpec::FindElementSpec(const NXML::CElement& element) const {
    const CElementSpec* defaultRule = nullptr;
    for (const CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule()) {
        if (rule->GetType() != kSpecTypeElement)
            continue;
        const auto* elementRule = static_cast<const CElementSpec*>(rule);
        if (elementRule->IsDefaultRule()) {
            if (defaultRule == nullptr)
                defaultRule = elementRule;
        } else if (SameText(rule->name.Text(), element.text.Text()) &&
                   rule->FirstRule() != nullptr) {
            return elementRule;
        }
    }
    return defaultRule;
}

bool CFileSpec::IsSequenced(const NXML::CElement& element) const {
    const CSpecBase* defaultRule = nullptr;
    for (const CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule()) {
        if (rule->GetType() != kSpecTypeElement)
            continue;
        if (static_cast<const CElementSpec*>(rule)->IsDefaultRule()) {
            if (defaultRule == nullptr)
                defaultRule = rule;
        } else if (SameText(rule->name.Text(), element.text.Text()) &&
                   rule->HasAnyFlag(kOrderMask)) {
            return rule->HasFlags(kSequenced);
        }
    }
    return defaultRule == nullptr || defaultRule->HasFlags(kSequenced);
}

std::uint32_t CFileSpec::LearntNameCount() const {
    std::uint32_t count = 0;
    for (const CSpecBase* rule = FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement)
            count += 1 + static_cast<const CElementSpec*>(rule)->knownAttributes.Count();
    return count;
}

bool CFileSpec::LearnFromDocuments(std::span<const NXML::CDoc* const> documents) {
    std::uint32_t names = LearntNameCount();
    const auto learnable = [&names](const char* name) {
        return names < kMostLearntNames &&
               static_cast<std::size_t>(NString::Length(name)) <= kLongestLearntName;
    };
    // Element names are found by exact name, not as a dotted rule path: a
    // name with a dot in it would otherwise never find its own rule and get
    // a new one on every use. A name without a rule that may not be learnt
    // stays in the map as null, so it is looked up only once.
    std::unordered_map<std::string_view, CElementSpec*> rulesByName;
    std::unordered_map<CElementSpec*, CKnownAttributeIndex> knownByRule;
    std::vector<CElementSpec*> added;
    const std::uint32_t before = names;
    for (const std::vector<const NXML::CElement*>& elements : ElementsWithNewNames(documents)) {
        for (const NXML::CElement* element : elements) {
            const auto [entry, isNew] = rulesByName.try_emplace(element->text.Text(), nullptr);
            CElementSpec*& rule = entry->second;
            if (isNew)
                rule = FindElementRule(*this, element->text.Text());
            if (rule == nullptr && learnable(element->text.Text())) {
                rule = new CElementSpec;
                rule->name = element->text;
                AddRule(rule);
                added.push_back(rule);
                ++names;
            }
            if (rule == nullptr)
                continue;
            CKnownAttributeIndex& known = knownByRule.try_emplace(rule, *rule).first->second;
            for (const NXML::CAttribute* attribute = element->FirstAttribute();
                 attribute != nullptr; attribute = attribute->NextAttribute())
                if (learnable(attribute->name.Text()) && known.Add(attribute->name.Text()))
                    ++names;
        }
    }
    if (!added.empty() && !DefaultRuleIdentifies(*this))
        InferIdentityRules(added, documents);
    return names != before;
}

CFileSpec* LoadSpecFile(const char16_t* path, ESpecFileError& error) {
    NXML::CDoc document;
    const int result = document.Load(path);
    if (result != NResult::kOk) {
        error = result == NResult::kCannotOpen || result == NResult::kNotOpen
                    ? ESpecFileError::CannotOpen
                    : ESpecFileError::NotXml;
        return nullptr;
    }
    const NXML::CElement* root = document.FirstChildElement();
    if (root == nullptr || !SameText(root->text.Text(), "file")) {
        error = root == nullptr ? ESpecFileError::NotXml : ESpecFileError::NotSpecification;
        return nullptr;
    }
    error = ESpecFileError::None;
    auto* spec = new CFileSpec;
    spec->Read(*root, 0);
    spec->fileName = NIO::FileNameOf(path);
    return spec;
}
