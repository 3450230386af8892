#include "slideshow/scene.h"

#include <new>

Scene::Scene() {
    SetRect(&renderArea_, 0, 0, 0, 0);
    SetRect(&outputRect_, 0, 0, 0, 0);
}

Scene::~Scene() {
    entries_.reset();
    entryCount_ = 0;
    isOpen_ = 0;
}

int Scene::Open(const RECT& area, int previewFlag) {
    renderArea_ = area;
    previewFlag_ = previewFlag;
    entries_.reset(new (std::nothrow) Image*[entryCount_ > 0 ? entryCount_ : 0]());
    isOpen_ = 1;
    return 1;
}

int Scene::Attach(HWND window, const RECT& output) {
    window_ = window;
    outputRect_ = output;
    return 1;
}

void Scene::Teardown() {
    entries_.reset();
    entryCount_ = 0;
    isOpen_ = 0;
}

void Scene::Begin() { isOpen_ = 1; }

void Scene::Idle() {}

void Scene::PrePaint(HDC, HDC) {}

uint32_t Scene::FramesUnchanged() const { return 0; }

void Scene::TakeChanges(std::vector<PixelRect>& changes) {
    changes.push_back({renderArea_.left, renderArea_.top, renderArea_.right, renderArea_.bottom});
}
