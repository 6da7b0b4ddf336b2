#pragma once

#include "../merge/merge_test_support.h"
#include "services/display_settings.h"
#include "services/settings_backend.h"
#include "view/difference_images.h"
#include "view/xml_view.h"

#include <QImage>
#include <gtest/gtest.h>
#include <optional>

constexpr int kWidth = 520;
constexpr int kHeight = 440;

// An operation shown in a view of a fixed size, with the settings in memory.
class CShownOperation {
public:
    CShownOperation(std::optional<std::string_view> base, std::string_view left,
                    std::string_view right, bool merge, int width = kWidth,
                    std::uint32_t points = 9)
        : fontStored(StoreFixedPitchFont(points)), operation(base, left, right, merge) {
        EXPECT_TRUE(fontStored);
        view.resize(width, kHeight);
        view.SetModel(&operation.model);
        view.show();
    }

    QImage Picture() { return view.viewport()->grab().toImage(); }
    int Top(int line) const { return line * view.LineHeight() - view.VerticalPosition(); }
    int Middle(int line) const { return Top(line) + view.LineHeight() / 2; }
    int FirstLine(std::uint32_t difference) {
        return static_cast<int>(operation.Difference(difference).FirstLine());
    }
    // Right of every frame and every line of text, left of the right edge.
    int BackgroundX() const { return view.viewport()->width() - 20; }
    // Inside the frame, beside its left border, clear of the pictures.
    int FrameX(std::uint32_t difference) {
        return operation.Difference(difference).FrameLeft() + 1 - view.HorizontalPosition();
    }
    // Where a picture painted at `left` on `line` shows its pixel (x, y).
    QPoint PicturePoint(int left, int line, QPoint pixel) const {
        return {left + pixel.x(), Top(line) + (view.LineHeight() - kSideMarkSize) / 2 + pixel.y()};
    }

    NSettings::CMemoryBackend settings;
    NSettings::CScopedBackend settingsScope{settings};
    bool fontStored;
    MergeTest::COperation operation;
    CXMLView view;

private:
    // A font of this machine whose characters are all one width, so that
    // columns are multiples of it.
    static bool StoreFixedPitchFont(std::uint32_t points) {
        NSettings::SXmlFont font = NSettings::ReadXmlFont();
        font.name = u"DejaVu Sans Mono";
        font.size = points;
        return NSettings::WriteXmlFont(font) == NResult::kOk;
    }
};
