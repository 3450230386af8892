#pragma once
// A forward-only supplier of bytes. The JPEG decoder pulls compressed data through this,
// so the same decoding path serves embedded resources and plain memory alike.

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to length bytes into buffer and returns how many; 0 means the end.
    virtual int Read(void* buffer, int length) = 0;
};
