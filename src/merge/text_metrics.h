#pragma once

#include <string_view>
#include <vector>

// How wide the document font sets text. The view installs metrics of the
// real font; until then the core measures with a fixed-pitch font of
// 8 pixels a character and 16 a line.
class CTextMetrics {
public:
    CTextMetrics() = default;
    CTextMetrics(const CTextMetrics&) = delete;
    CTextMetrics& operator=(const CTextMetrics&) = delete;
    virtual ~CTextMetrics() = default;

    virtual int LineHeight() const = 0;
    virtual int AverageCharWidth() const = 0;
    // With a fixed-pitch font every character is AverageCharWidth wide and
    // Advances is never asked.
    virtual bool IsFixedPitch() const = 0;
    // Fills `advances` with the width of each UTF-16 unit of `line` as the
    // font sets the whole line (the second unit of a surrogate pair gets 0).
    virtual void Advances(std::u16string_view line, std::vector<int>& advances) const = 0;
};

class CFixedPitchMetrics final : public CTextMetrics {
public:
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

    int LineHeight() const override { return kLineHeight; }
    int AverageCharWidth() const override { return kCharWidth; }
    bool IsFixedPitch() const override { return true; }
    void Advances(std::u16string_view line, std::vector<int>& advances) const override;
};

// The installed metrics, or else the fixed-pitch default.
const CTextMetrics& CurrentTextMetrics();

// Makes `metrics` current (null brings back the default) and returns the
// previous one. The caller keeps `metrics` alive while it is current.
const CTextMetrics* InstallTextMetrics(const CTextMetrics* metrics);

// Installs metrics for the life of a scope, then puts back the previous ones.
class CScopedTextMetrics {
public:
    explicit CScopedTextMetrics(const CTextMetrics& metrics)
        : m_previous(InstallTextMetrics(&metrics)) {}
    CScopedTextMetrics(const CScopedTextMetrics&) = delete;
    CScopedTextMetrics& operator=(const CScopedTextMetrics&) = delete;
    ~CScopedTextMetrics() { InstallTextMetrics(m_previous); }

private:
    const CTextMetrics* m_previous;
};

// The width of one indent level and of the distance between tab stops: four
// average characters.
int IndentUnit();

// Fills `advances` with one width per UTF-16 unit of `line` in the current
// metrics.
void MeasureAdvances(std::u16string_view line, std::vector<int>& advances);

// The width of `text` in the current metrics.
int TextWidth(std::u16string_view text);
