#include "formats/spec_selection.h"

#include "formats/element_spec.h"
#include "formats/file_spec.h"
#include "formats/format_list.h"
#include "formats/known_attribute_index.h"
#include "framework/file_functions.h"
#include "framework/string_functions.h"
#include "services/prompts.h"
#include "text/format.h"
#include "translation/translator.h"
#include "xml/doc.h"
#include "xml/element.h"

#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using NString::NTranslator::Text;

bool SameText(const char* a, const char* b) {
    return NString::Compare(a, b) == 0;
}

const char* RootName(const SInputFile& file) {
    const NXML::CElement* root = RootElementOf(file);
    return root != nullptr ? root->text.Text() : "";
}

std::vector<CFileSpec*> CandidatesFor(const CFormatList& library, const char* rootName) {
    std::vector<CFileSpec*> candidates;
    for (CFileSpec* spec = library.FirstSpec(); spec != nullptr; spec = CFormatList::NextSpec(spec))
        if (SameText(spec->root.Text(), rootName))
            candidates.push_back(spec);
    return candidates;
}

// Those of `candidates` whose namespace is `uri`, when any is and `uri` is
// not empty; else all of them.
std::vector<CFileSpec*> NamingNamespace(const std::vector<CFileSpec*>& candidates,
                                        const char* uri) {
    std::vector<CFileSpec*> naming;
    if (*uri != 0)
        for (CFileSpec* candidate : candidates)
            if (SameText(candidate->rootNamespace.Text(), uri))
                naming.push_back(candidate);
    return naming.empty() ? candidates : naming;
}

bool MatchesFileNameOf(const CFileSpec& spec, const char16_t* path) {
    return *path != 0 && spec.MatchesFileName(LowerCaseFileName(path).Text());
}

CFileSpec* FirstMatchingFileName(const std::vector<CFileSpec*>& candidates,
                                 const SInputFile& file) {
    for (CFileSpec* candidate : candidates)
        if (MatchesFileNameOf(*candidate, file.path) || MatchesFileNameOf(*candidate, file.title))
            return candidate;
    return nullptr;
}

// Every element name of `document`, once.
std::unordered_set<std::string_view> ElementNames(const NXML::CDoc& document) {
    std::unordered_set<std::string_view> names;
    for (const NPtr::CNode* node = document.NextInSubtree(&document); node != nullptr;
         node = document.NextInSubtree(node))
        if (static_cast<const NXML::CNode*>(node)->GetType() == NXML::kTypeElement)
            names.emplace(static_cast<const NXML::CNode*>(node)->text.Text());
    return names;
}

// How many of `names` have an element rule of their own in `spec`.
std::size_t NamedByRules(const CFileSpec& spec, const std::unordered_set<std::string_view>& names) {
    std::unordered_set<std::string_view> named;
    for (const CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement && names.contains(rule->name.Text()))
            named.emplace(rule->name.Text());
    return named.size();
}

// The index of the candidate whose rules name the most element names of
// `document`; of several such, the first by name ignoring case.
int BestByElementNames(const std::vector<CFileSpec*>& candidates, const NXML::CDoc& document) {
    const std::unordered_set<std::string_view> names = ElementNames(document);
    int best = -1;
    std::size_t bestCount = 0;
    NString::TStr<char16_t> bestName;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::size_t count = NamedByRules(*candidates[i], names);
        NString::TStr<char16_t> name(candidates[i]->name.Text());
        if (best < 0 || count > bestCount ||
            (count == bestCount && NString::CompareNoCase(name.Text(), bestName.Text()) < 0)) {
            best = static_cast<int>(i);
            bestCount = count;
            bestName = std::move(name);
        }
    }
    return best;
}

CFileSpec* AskUserToChoose(const std::vector<CFileSpec*>& candidates, const SInputFile& file,
                           const char* rootName, void* owner) {
    std::vector<const char*> names;
    for (const CFileSpec* spec : candidates)
        names.push_back(spec->name.Text());
    NString::TStr<char16_t> info;
    NString::Format(info, Text("ChooseSpec.Info").Text(), rootName);
    const int chosen = NPrompts::CurrentPrompts().ChooseFileSpec(
        owner,
        NPrompts::SSpecChoice{info.Text(), names, BestByElementNames(candidates, *file.document)});
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= candidates.size())
        return nullptr;
    return candidates[static_cast<std::size_t>(chosen)];
}

// Ends a report: asks whether to create a new specification when one can
// be made, else says that none can.
bool AskToCreate(void* owner, const SOperationFiles& operation, NString::TStr<char16_t>& message) {
    const NString::TStr<char16_t>& caption = Text("Misc.AppName");
    if (CanCreateNew(operation)) {
        message.Append(Text("Msg.FormatCreateNew").Text());
        return NPrompts::CurrentPrompts().ShowMessage(
                   owner, message.Text(), caption.Text(), NPrompts::EIcon::Question,
                   NPrompts::EButtons::YesNo) == NPrompts::EAnswer::Yes;
    }
    message.Append(Text("Msg.FormatCantCreateNew").Text());
    NPrompts::CurrentPrompts().ShowMessage(owner, message.Text(), caption.Text(),
                                           NPrompts::EIcon::Error, NPrompts::EButtons::Ok);
    return false;
}

std::vector<const NXML::CDoc*> Documents(const SOperationFiles& operation) {
    std::vector<const NXML::CDoc*> documents;
    for (const SInputFile& file : operation.files)
        documents.push_back(file.document);
    return documents;
}

// The default rule of a new specification: ordered, offering every attribute
// name the element rules know.
void AddDefaultRule(CFileSpec& spec) {
    for (const CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement &&
            static_cast<const CElementSpec*>(rule)->IsDefaultRule())
            return;
    auto* defaultRule = new CElementSpec;
    defaultRule->name = "*";
    defaultRule->SetFlags(CSpecBase::kSequenced);
    CKnownAttributeIndex known(*defaultRule);
    for (const CSpecBase* rule = spec.FirstRule(); rule != nullptr; rule = rule->NextRule())
        if (rule->GetType() == kSpecTypeElement)
            for (const NString::TStr<char>* name :
                 static_cast<const CElementSpec*>(rule)->knownAttributes)
                known.Add(name->Text());
    spec.AddRule(defaultRule);
}

CFileSpec* CreateSpec(CFormatList& library, const SOperationFiles& operation, void* owner) {
    const SInputFile& left = operation.files[0];
    const NString::TStr<char> suggestedName = library.FreeSpecName(RootName(left));
    const NPrompts::SSpecRequest request{RootName(left), left.path, library.Folder(),
                                         suggestedName.Text()};
    NPrompts::SNewSpec created;
    if (!NPrompts::CurrentPrompts().CreateFileSpec(owner, request, created) ||
        created.name.IsEmpty())
        return nullptr;
    // A name taken by a specification for another root, or by a file that
    // did not load, would overwrite that specification's file.
    CFileSpec* spec = library.GetOrCreateSpec(library.FreeSpecName(created.name.Text()).Text());
    spec->AddPatterns(created.wildcards.Text(), true);
    spec->root = RootName(left);
    spec->rootNamespace = RootElementOf(left)->namespaceUri;
    const std::vector<const NXML::CDoc*> documents = Documents(operation);
    spec->LearnFromDocuments(documents);
    AddDefaultRule(*spec);
    spec->SetFlags(CSpecBase::kModified);
    library.SaveAll();
    return spec;
}

// The left file's specification, when every other file agrees with it;
// null after reporting the file that does not (`wantsNew` tells whether the
// user then asked for a new specification).
CFileSpec* AgreedSpec(CFormatList& library, const SOperationFiles& operation, void* owner,
                      bool& wantsNew) {
    const SInputFile& left = operation.files[0];
    CFileSpec* spec = FindSpecForFile(library, left, nullptr, owner);
    if (spec == nullptr) {
        wantsNew = ReportMissing(owner, operation, left);
        return nullptr;
    }
    for (std::size_t i = 1; i < operation.files.size(); ++i) {
        // The second file never asks: the left file's choice stands for it.
        void* askVia = i == 1 ? nullptr : owner;
        if (FindSpecForFile(library, operation.files[i], spec, askVia) != spec) {
            wantsNew = ReportMismatch(owner, operation, left, operation.files[i]);
            return nullptr;
        }
    }
    return spec;
}

} // namespace

const NXML::CElement* RootElementOf(const SInputFile& file) {
    return file.document != nullptr ? file.document->FirstChildElement() : nullptr;
}

NString::TStr<char> LowerCaseFileName(const char16_t* path) {
    NString::TStr<char16_t> lower(NIO::FileNameOf(path));
    NString::ToLower(lower.Text());
    return NString::TStr<char>(lower.Text());
}

CFileSpec* FindSpecForFile(CFormatList& library, const SInputFile& file, CFileSpec* preferred,
                           void* owner) {
    const NXML::CElement* root = RootElementOf(file);
    if (root == nullptr)
        return nullptr;
    const std::vector<CFileSpec*> candidates = CandidatesFor(library, root->text.Text());
    if (candidates.empty())
        return nullptr;
    for (CFileSpec* candidate : candidates)
        if (candidate == preferred)
            return preferred;
    if (candidates.size() == 1)
        return candidates.front();
    const std::vector<CFileSpec*> naming = NamingNamespace(candidates, root->namespaceUri.Text());
    if (naming.size() == 1)
        return naming.front();
    if (CFileSpec* matching = FirstMatchingFileName(naming, file))
        return matching;
    if (owner == nullptr)
        return nullptr;
    return AskUserToChoose(naming, file, root->text.Text(), owner);
}

bool CanCreateNew(const SOperationFiles& operation) {
    if (operation.files.empty())
        return false;
    const char* name = RootName(operation.files[0]);
    if (*name == 0)
        return false;
    for (const SInputFile& file : operation.files)
        if (!SameText(RootName(file), name))
            return false;
    return true;
}

bool ReportMissing(void* owner, const SOperationFiles& operation, const SInputFile& file) {
    NString::TStr<char16_t> message(Text("Msg.FormatMissing"));
    message.Append(file.path);
    message.Append(
        Text(operation.merge ? "Msg.FormatCantMergeBecause" : "Msg.FormatCantCompareBecause")
            .Text());
    return AskToCreate(owner, operation, message);
}

bool ReportMismatch(void* owner, const SOperationFiles& operation, const SInputFile& x,
                    const SInputFile& y) {
    NString::TStr<char16_t> message(Text("Msg.FormatMismatch"));
    message.Append(x.path);
    message.Append(u"\n+\n");
    message.Append(y.path);
    message.Append(Text(operation.merge ? "Msg.FormatCantMerge" : "Msg.FormatCantCompare").Text());
    return AskToCreate(owner, operation, message);
}

CFileSpec* FindSpecForOperation(CFormatList& library, const SOperationFiles& operation,
                                void* owner) {
    if (operation.files.empty())
        return nullptr;
    bool wantsNew = false;
    CFileSpec* spec = AgreedSpec(library, operation, owner, wantsNew);
    if (spec == nullptr)
        return wantsNew ? CreateSpec(library, operation, owner) : nullptr;
    const std::vector<const NXML::CDoc*> documents = Documents(operation);
    if (spec->LearnFromDocuments(documents)) {
        spec->SetFlags(CSpecBase::kModified);
        library.SaveAll();
    }
    return spec;
}
