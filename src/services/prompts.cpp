#include "services/prompts.h"

#include "framework/file_functions.h"
#include "framework/string_functions.h"
#include "text/format.h"
#include "translation/translator.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <numeric>
#include <ostream>

namespace NPrompts {

namespace {

std::atomic<CPrompts*> g_current{nullptr};

CPrompts& BuiltInPrompts() {
    static CHeadlessPrompts prompts;
    return prompts;
}

using NString::NTranslator::Text;

NString::TStr<char> Utf8(const char16_t* text) {
    return NString::TStr<char>(text);
}

// The text of `key` in the language shown, with the arguments put in.
template <typename... Args> NString::TStr<char> Translated(const char* key, const Args&... args) {
    NString::TStr<char> text;
    NString::Format(text, Utf8(Text(key).Text()).Text(), args...);
    return text;
}

// "*." followed by the extension of `path`, or "*." alone when it has none.
NString::TStr<char> ExtensionWildcard(const char16_t* path) {
    const char16_t* dot = NString::FindLastChar(NIO::FileNameOf(path), U'.');
    NString::TStr<char> wildcard("*.");
    if (dot != nullptr)
        wildcard.Append(NString::TStr<char>(dot + 1).Text());
    return wildcard;
}

} // namespace

EAnswer DefaultAnswer(EButtons buttons) {
    switch (buttons) {
    case EButtons::Ok:
    case EButtons::OkCancel:
        return EAnswer::Ok;
    case EButtons::YesNo:
    case EButtons::YesNoCancel:
        return EAnswer::Yes;
    }
    return EAnswer::Ok;
}

const char* AnswerTextKey(EAnswer answer) {
    switch (answer) {
    case EAnswer::Ok:
        return "Misc.OKBtn";
    case EAnswer::Cancel:
        return "Misc.CancelBtn";
    case EAnswer::Yes:
        return "Misc.YesBtn";
    case EAnswer::No:
        return "Misc.NoBtn";
    }
    return "Misc.OKBtn";
}

EAnswer EscapeAnswer(EButtons buttons) {
    switch (buttons) {
    case EButtons::Ok:
        return EAnswer::Ok;
    case EButtons::OkCancel:
    case EButtons::YesNoCancel:
        return EAnswer::Cancel;
    case EButtons::YesNo:
        return EAnswer::No;
    }
    return EAnswer::Cancel;
}

std::vector<int> NameOrder(std::span<const char* const> names) {
    std::vector<NString::TStr<char16_t>> wide;
    wide.reserve(names.size());
    for (const char* name : names)
        wide.emplace_back(name);
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&wide](int a, int b) {
        return NString::CompareNoCase(wide[static_cast<std::size_t>(a)].Text(),
                                      wide[static_cast<std::size_t>(b)].Text()) < 0;
    });
    return order;
}

int OfferedChoice(const SSpecChoice& choice) {
    if (choice.suggested >= 0 && static_cast<std::size_t>(choice.suggested) < choice.names.size())
        return choice.suggested;
    const std::vector<int> order = NameOrder(choice.names);
    return order.empty() ? -1 : order.front();
}

SNewSpec OfferedSpec(const SSpecRequest& request) {
    SNewSpec offered;
    offered.name = *request.suggestedName != 0 ? request.suggestedName : request.rootName;
    offered.wildcards = ExtensionWildcard(request.leftPath);
    return offered;
}

CHeadlessPrompts::CHeadlessPrompts() : m_out(std::cerr) {}

EAnswer CHeadlessPrompts::ShowMessage(void*, const char16_t* text, const char16_t* caption, EIcon,
                                      EButtons buttons) {
    const EAnswer answer = DefaultAnswer(buttons);
    std::lock_guard lock(m_mutex);
    m_out << Utf8(caption).Text() << ": " << Utf8(text).Text() << '\n';
    if (buttons != EButtons::Ok)
        m_out << Translated("Headless.Answered", Text(AnswerTextKey(answer))).Text() << '\n';
    m_out.flush();
    return answer;
}

int CHeadlessPrompts::ChooseFileSpec(void*, const SSpecChoice& choice) {
    const int chosen = OfferedChoice(choice);
    std::lock_guard lock(m_mutex);
    m_out << Utf8(choice.info).Text() << '\n';
    for (const char* name : choice.names)
        m_out << "  " << name << '\n';
    if (chosen >= 0)
        m_out << Translated("Headless.Chose", choice.names[chosen]).Text() << '\n';
    else
        m_out << Translated("Headless.NothingToChoose").Text() << '\n';
    m_out.flush();
    return chosen;
}

bool CHeadlessPrompts::CreateFileSpec(void*, const SSpecRequest& request, SNewSpec& created) {
    if (*request.rootName == 0)
        return false;
    created = OfferedSpec(request);
    std::lock_guard lock(m_mutex);
    m_out << Translated("Headless.CreatingSpec", created.name, request.rootName, created.wildcards,
                        request.folder)
                 .Text()
          << '\n';
    m_out.flush();
    return true;
}

CPrompts& CurrentPrompts() {
    CPrompts* installed = g_current.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : BuiltInPrompts();
}

CPrompts* InstallPrompts(CPrompts* prompts) {
    CPrompts* previous = g_current.exchange(prompts, std::memory_order_acq_rel);
    return previous != nullptr ? previous : &BuiltInPrompts();
}

} // namespace NPrompts
