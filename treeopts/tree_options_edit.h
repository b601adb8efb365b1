// CTreeOptionsEdit: the single-line text box that the option tree opens
// right of an item's label when the item's data names this class (or one
// derived from it). A derived class changes the window's style and width.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/runtime_class.h"
#include "platform/tree_view.h"

class CTreeOptionsCtrl;

class CTreeOptionsEdit : public CObject {
public:
    static const RuntimeClass classCTreeOptionsEdit;
    const RuntimeClass* GetRuntimeClass() const override { return &classCTreeOptionsEdit; }

    // WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL.
    virtual std::uint32_t GetEditorStyle() const { return 0x50000080; }
    virtual int GetEditorWidth() const { return 100; }

    CTreeOptionsCtrl* m_pOwnerTree = nullptr;  // the tree that opened it; not owned
    std::unique_ptr<IEditorWindow> m_window;   // null when the window could not be made
};
