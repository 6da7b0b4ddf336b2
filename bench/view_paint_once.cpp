// Times the document view itself on a large merge: showing the model (the
// layout and the first page), painting the page at the last line, and
// stepping through differences with a paint after each step, on Qt's
// offscreen platform. The folder is one written by `match_once generate`.
//
//   view_paint_once <folder>

#include "loaded_operation.h"
#include "view/view_controller.h"
#include "view/xml_view.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using CClock = std::chrono::steady_clock;

constexpr int kSteps = 1000;

double MillisecondsSince(CClock::time_point start) {
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

// Paints the view's visible page into an image, as the screen would get it.
double TimePaint(CXMLView& view, QImage& image) {
    const CClock::time_point start = CClock::now();
    QPainter painter(&image);
    view.viewport()->render(&painter);
    return MillisecondsSince(start);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: view_paint_once <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    NBench::CLoadedOperation operation;
    if (!operation.Load(argv[1], true, true)) {
        std::fprintf(stderr, "view_paint_once: cannot read %s\n", argv[1]);
        return 1;
    }
    CXMLView view;
    view.resize(1200, 800);
    CViewController controller(view);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);

    const CClock::time_point shown = CClock::now();
    view.SetModel(&operation.model);
    controller.SetModel(&operation.model);
    const double show = MillisecondsSince(shown);
    const double firstPaint = TimePaint(view, image);

    const CClock::time_point jumped = CClock::now();
    view.ScrollToY(view.ContentHeight());
    const double lastPage = MillisecondsSince(jumped) + TimePaint(view, image);

    double total = 0;
    double slowest = 0;
    int steps = 0;
    for (; steps < kSteps; ++steps) {
        const CClock::time_point start = CClock::now();
        if (!controller.Go(true, false))
            break;
        const double step = MillisecondsSince(start) + TimePaint(view, image);
        total += step;
        slowest = std::max(slowest, step);
    }
    std::printf("show %.0f ms, first page %.1f ms, last page %.1f ms, %d steps: mean %.2f ms, "
                "slowest %.2f ms\n",
                show, firstPaint, lastPage, steps, steps > 0 ? total / steps : 0.0, slowest);
    return 0;
}
