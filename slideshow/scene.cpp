#include "slideshow/scene.h"

Scene::Scene() { SetRect(&renderArea_, 0, 0, 0, 0); }

Scene::~Scene() {
    entryCount_ = 0;
    isOpen_ = 0;
}

int Scene::Open(const RECT& area, int) {
    renderArea_ = area;
    isOpen_ = 1;
    return 1;
}

int Scene::Attach(HWND, const RECT&) { return 1; }

void Scene::Teardown() {
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
