#pragma once

class CBlockBase;
class CBlockSelector;

// What the merge model tells the view and the panes when its state changes
// outside a paint. The default does nothing, so the core runs without a view;
// the view installs its own.
class CViewNotifications {
public:
    CViewNotifications() = default;
    CViewNotifications(const CViewNotifications&) = delete;
    CViewNotifications& operator=(const CViewNotifications&) = delete;
    virtual ~CViewNotifications() = default;

    // The lines of `selector` must be painted again.
    virtual void RepaintSelector(const CBlockSelector& selector);
    // The toolbar and the overview pane must show the model's state again.
    virtual void RefreshPanes();
    // `block` is leaving the tree: the view forgets every pointer to it.
    virtual void DropBlock(const CBlockBase& block);
};

// The installed notifications, or else the silent default.
CViewNotifications& CurrentViewNotifications();

// Makes `notifications` current (null brings back the default) and returns
// the previous one. The caller keeps `notifications` alive while it is current.
CViewNotifications* InstallViewNotifications(CViewNotifications* notifications);

// Installs notifications for the life of a scope, then puts back the previous ones.
class CScopedViewNotifications {
public:
    explicit CScopedViewNotifications(CViewNotifications& notifications)
        : m_previous(InstallViewNotifications(&notifications)) {}
    CScopedViewNotifications(const CScopedViewNotifications&) = delete;
    CScopedViewNotifications& operator=(const CScopedViewNotifications&) = delete;
    ~CScopedViewNotifications() { InstallViewNotifications(m_previous); }

private:
    CViewNotifications* m_previous;
};
