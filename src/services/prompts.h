#pragma once

#include "framework/str.h"

#include <iosfwd>
#include <mutex>
#include <span>
#include <vector>

// The questions the core puts to the user: message boxes and the two format
// specification dialogs. The user interface installs an implementation that
// shows real dialogs; until then every question goes to the headless one,
// which answers on its own and never waits for anybody.
namespace NPrompts {

enum class EIcon { Error, Warning, Question, Information };
enum class EButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class EAnswer { Ok, Cancel, Yes, No };

// The button that answers a message box when nobody presses one: the first.
EAnswer DefaultAnswer(EButtons buttons);

// The answer of a message box closed without pressing a button (Esc): Cancel
// when it has one, No for a Yes/No question, else OK.
EAnswer EscapeAnswer(EButtons buttons);

// What the choose-specification dialog shows.
struct SSpecChoice {
    // The explanation above the list (UTF-16).
    const char16_t* info = u"";
    // One name per candidate (UTF-8); the answer is an index into these.
    std::span<const char* const> names;
    // The candidate the files point to most, offered first; -1 for none.
    int suggested = -1;
};

// The key of the translated text of the button that gives `answer`.
const char* AnswerTextKey(EAnswer answer);

// The indices of `names` in the order of their names, ignoring case; equal
// names keep their order.
std::vector<int> NameOrder(std::span<const char* const> names);

// The candidate offered before the user chooses: the suggested one, else the
// one whose name sorts first; -1 when there is none.
int OfferedChoice(const SSpecChoice& choice);

// What the create-specification step knows about the files it is for.
struct SSpecRequest {
    // The root element shared by the files (UTF-8).
    const char* rootName = "";
    // The left input file (UTF-16).
    const char16_t* leftPath = u"";
    // The folder the new specification will be saved in (UTF-16).
    const char16_t* folder = u"";
    // A name after the root element that no other specification's file
    // takes (UTF-8), offered as the new specification's name.
    const char* suggestedName = "";
};

// What the user entered for a new specification (UTF-8).
struct SNewSpec {
    NString::TStr<char> name;
    // File-name wildcards, as entered: several may be separated by ",".
    NString::TStr<char> wildcards;
};

// What is offered for a new specification: the suggested name (the root
// element's when none is suggested) and "*." with the left file's extension
// ("*." alone for a file name without one).
SNewSpec OfferedSpec(const SSpecRequest& request);

// `owner` is the window a question belongs to; the core passes it through
// without looking at it. Implementations must accept calls from any thread.
class CPrompts {
public:
    CPrompts() = default;
    CPrompts(const CPrompts&) = delete;
    CPrompts& operator=(const CPrompts&) = delete;
    virtual ~CPrompts() = default;

    // Shows `text` with `caption`, `icon` and `buttons`; the button pressed.
    virtual EAnswer ShowMessage(void* owner, const char16_t* text, const char16_t* caption,
                                EIcon icon, EButtons buttons) = 0;
    // The index of the chosen candidate, or -1 when cancelled.
    virtual int ChooseFileSpec(void* owner, const SSpecChoice& choice) = 0;
    // True with `created` filled (its name never empty), false when cancelled.
    virtual bool CreateFileSpec(void* owner, const SSpecRequest& request, SNewSpec& created) = 0;
};

// Answers every question with its default and writes what it was asked, and
// what it answered, to a text stream (standard error unless told otherwise).
class CHeadlessPrompts final : public CPrompts {
public:
    CHeadlessPrompts();
    explicit CHeadlessPrompts(std::ostream& out) : m_out(out) {}

    // Writes "caption: text"; for a question also the answer given.
    EAnswer ShowMessage(void* owner, const char16_t* text, const char16_t* caption, EIcon icon,
                        EButtons buttons) override;
    // Takes the offered candidate.
    int ChooseFileSpec(void* owner, const SSpecChoice& choice) override;
    // Takes the offered name and wildcard, and says so.
    bool CreateFileSpec(void* owner, const SSpecRequest& request, SNewSpec& created) override;

private:
    std::ostream& m_out;
    std::mutex m_mutex;
};

// The implementation every question goes to: the installed one, or else a
// process-wide headless one writing to standard error.
CPrompts& CurrentPrompts();

// Makes `prompts` current (null brings back the headless one) and returns the
// previous one. The caller keeps `prompts` alive while it is current.
CPrompts* InstallPrompts(CPrompts* prompts);

// Installs prompts for the life of a scope, then puts back the previous ones.
class CScopedPrompts {
public:
    explicit CScopedPrompts(CPrompts& prompts) : m_previous(InstallPrompts(&prompts)) {}
    CScopedPrompts(const CScopedPrompts&) = delete;
    CScopedPrompts& operator=(const CScopedPrompts&) = delete;
    ~CScopedPrompts() { InstallPrompts(m_previous); }

private:
    CPrompts* m_previous;
};

} // namespace NPrompts
