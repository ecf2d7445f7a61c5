#include "framework/inet/InetHandle.h"

#include "framework/inet/InetErrors.h"

TInetHandle::~TInetHandle() = default;

void TInetHandle::Close() {
    std::vector<std::shared_ptr<TInetHandle>> children;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FClosed = true;
        Wake();
        for (auto& weak : FChildren)
            if (auto child = weak.lock()) children.push_back(std::move(child));
        FChildren.clear();
    }
    for (auto& child : children) child->Close();
}

bool TInetHandle::Closed() const {
    for (const TInetHandle* h = this; h; h = h->FParent.get())
        if (h->FClosed) return true;
    return false;
}

bool TInetHandle::Attach(const std::shared_ptr<TInetHandle>& parent) {
    FParent = parent;
    std::lock_guard<std::mutex> lock(parent->FLock);
    if (parent->Closed()) {
        FClosed = true;
        return false;
    }
    // Handles that went away leave expired entries; drop them as we go.
    std::erase_if(parent->FChildren, [](const std::weak_ptr<TInetHandle>& w) { return w.expired(); });
    parent->FChildren.push_back(weak_from_this());
    return true;
}

bool TInetHandle::CheckOpen() const {
    if (!Closed()) return true;
    InetSetLastError(ERROR_INVALID_HANDLE);
    return false;
}
