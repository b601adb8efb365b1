// CTreeOptionsCombo: the drop-down list that the option tree opens right of
// an item's label when the item's data names this class (or one derived
// from it). A derived class changes the window's style and size.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/runtime_class.h"
#include "platform/tree_view.h"

class CTreeOptionsCtrl;

class CTreeOptionsCombo : public CObject {
public:
    static const RuntimeClass classCTreeOptionsCombo;
    const RuntimeClass* GetRuntimeClass() const override { return &classCTreeOptionsCombo; }

    // WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST.
    virtual std::uint32_t GetEditorStyle() const { return 0x50200003; }
    virtual int GetEditorWidth() const { return 100; }
    // The height with the list dropped.
    virtual int GetListHeight() const { return 100; }

    CTreeOptionsCtrl* m_pOwnerTree = nullptr;  // the tree that opened it; not owned
    std::unique_ptr<IEditorWindow> m_window;   // null when the window could not be made
};
