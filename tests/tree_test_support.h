// A CTreeOptionsCtrl bound to an in-memory tree, for tests.
#pragma once

#include <memory>

#include "platform/memory/memory_tree_view.h"
#include "treeopts/tree_options_ctrl.h"

struct MemoryOptionTree {
    MemoryOptionTree()
    {
        auto view = std::make_unique<MemoryTreeView>();
        fake = view.get();
        ctrl.Attach(std::move(view));
    }

    int Image(TreeItem item) const
    {
        int image = -1;
        fake->GetItemImage(item, image);
        return image;
    }

    CTreeOptionsCtrl ctrl;
    MemoryTreeView* fake = nullptr;
};
