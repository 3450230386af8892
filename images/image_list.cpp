#include "images/image_list.h"

#include <new>

ImageList::~ImageList() { Destroy(); }

int ImageList::Create(int count, const LPCSTR* sources) {
    Destroy();
    if (count < 0) return 1;
    images_.reset(new (std::nothrow) std::unique_ptr<Image>[static_cast<size_t>(count)]);
    readyFlags_.reset(new (std::nothrow) int32_t[static_cast<size_t>(count)]());
    if (!images_ || !readyFlags_) {
        Destroy();
        return 1;
    }
    count_ = count;
    for (int i = 0; i < count; ++i) {
        images_[i].reset(new (std::nothrow) Image());
        if (!images_[i]) {
            Destroy();
            return 1;
        }
    }
    SetImageSources(sources);
    return 1;
}

void ImageList::Destroy() {
    if (images_) {
        for (int i = 0; i < count_; ++i) images_[i].reset();
        images_.reset();
    }
    readyFlags_.reset();
    count_ = 0;
}

Image* ImageList::GetImage(int index) {
    if (!IsValid(index)) return nullptr;
    Image* image = images_[index].get();
    if (!image->Bitmap()) image->Load(nullptr);
    return image;
}

void ImageList::GetPalette(PALETTEENTRY* entries) {
    if (Image* first = GetImage(0)) first->GetPaletteEntries(entries);
}

void ImageList::SetImageSource(int index, LPCSTR source) {
    if (IsValid(index)) images_[index]->SetSource(source);
}

void ImageList::SetImageSources(const LPCSTR* sources) {
    if (!sources) return;
    for (int i = 0; i < count_; ++i) SetImageSource(i, sources[i]);
}

int ImageList::LoadImageAt(int index) {
    if (!IsValid(index)) return 1;
    return images_[index]->Load(nullptr) ? 1 : 0;
}

int ImageList::LoadAllImages() {
    int result = 1;
    for (int i = 0; i < count_; ++i) result &= LoadImageAt(i);
    return result;
}

int ImageList::DrawImageAt(HDC dc, int x, int y, int index) {
    if (!IsValid(index)) return 1;
    readyFlags_[index] = images_[index]->Load(nullptr);
    if (!readyFlags_[index]) return 1;
    return images_[index]->Draw(dc, x, y);
}
