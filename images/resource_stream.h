#pragma once
// A forward-only, read-only stream over one resource of the executable, read in place
// from the locked resource. Opened on the loader's stack, closed when it goes.
#include <windows.h>

#include <cstdint>

#include "common/unique_handle.h"
#include "images/memory_byte_source.h"

class ResourceStream : public ByteSource {
public:
    ResourceStream() = default;
    ResourceStream(const ResourceStream&) = delete;
    ResourceStream& operator=(const ResourceStream&) = delete;
    ~ResourceStream() override;

    // 1 when the resource (module null: the executable) is found, loaded and locked; 0
    // otherwise, with the stream closed. Opening an open stream closes it first.
    int OpenResource(HMODULE module, LPCSTR name, LPCSTR type);
    // Bytes copied, 0 at the end of the data or while closed.
    int Read(void* buffer, int length) override;
    void Close();

    bool IsOpen() const { return static_cast<bool>(resource_); }

private:
    UniqueResource resource_;
    MemoryByteSource view_;
};
