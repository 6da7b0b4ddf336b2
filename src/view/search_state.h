#pragma once

#include <string>
#include <vector>

// The text searched for and the texts searched for before, kept for the run.
class CSearchState {
public:
    const std::u16string& Text() const { return m_text; }
    // The earlier texts, oldest first, each once; the current text is last.
    const std::vector<std::u16string>& History() const { return m_history; }

    // Makes `text` the search text and the newest entry of the history.
    void Remember(const std::u16string& text);
    void Reset();

private:
    std::u16string m_text;
    std::vector<std::u16string> m_history;
};

// The search state of the process, which every view and the Search dialog
// share.
CSearchState& CurrentSearchState();
