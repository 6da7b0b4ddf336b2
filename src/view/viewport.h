#pragma once

// What the panes beside the document view need of it: where it is scrolled
// to, in pixels, and how to scroll it.
class IViewport {
public:
    IViewport() = default;
    IViewport(const IViewport&) = delete;
    IViewport& operator=(const IViewport&) = delete;
    virtual ~IViewport() = default;

    virtual int LineHeight() const = 0;
    virtual int VerticalPosition() const = 0;
    // The height of the visible text area.
    virtual int PageHeight() const = 0;
    // Scrolls so that `y` is the top of the visible area, held to the range.
    virtual void ScrollToY(int y) = 0;
};
