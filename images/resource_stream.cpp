#include "images/resource_stream.h"

ResourceStream::~ResourceStream() { Close(); }

int ResourceStream::OpenResource(HMODULE module, LPCSTR name, LPCSTR type) {
    Close();
    if (!name) return 0;
    DWORD size = 0;
    if (HRSRC found = FindResourceA(module, name, type)) {
        size = SizeofResource(module, found);
        resource_.reset(LoadResource(module, found));
    }
    const void* data = resource_ ? LockResource(resource_.get()) : nullptr;
    if (!data) {
        Close();
        return 0;
    }
    view_.Reset(static_cast<const uint8_t*>(data), static_cast<int32_t>(size));
    return 1;
}

int ResourceStream::Read(void* buffer, int length) { return view_.Read(buffer, length); }

void ResourceStream::Close() {
    resource_.reset();
    view_.Reset(nullptr, 0);
}
