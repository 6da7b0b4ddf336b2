#include "view/search_state.h"

#include <algorithm>

void CSearchState::Remember(const std::u16string& text) {
    m_text = text;
    std::erase(m_history, text);
    m_history.push_back(text);
}

void CSearchState::Reset() {
    m_text.clear();
    m_history.clear();
}

CSearchState& CurrentSearchState() {
    static CSearchState state;
    return state;
}
