#include "app/gui/pages/atlas_source.h"

#include <QMetaObject>

namespace kalvora {

AtlasSource::~AtlasSource() {
    // The worker holds a pointer to this source until it returns.
    if (loading_.valid()) loading_.wait();
}

void AtlasSource::Start() {
    if (atlas_ || loading_.valid()) return;
    loading_ = std::async(std::launch::async, [this] {
        Atlas atlas = LoadAtlas();
        QMetaObject::invokeMethod(this, &AtlasSource::TakeLoaded, Qt::QueuedConnection);
        return atlas;
    });
}

const Atlas* AtlasSource::IfReady() {
    if (atlas_) return &*atlas_;
    Start();
    if (loading_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return nullptr;
    return &Wait();
}

const Atlas& AtlasSource::Wait() {
    if (!atlas_) {
        Start();
        atlas_ = loading_.get();
    }
    return *atlas_;
}

void AtlasSource::TakeLoaded() {
    if (!atlas_) atlas_ = loading_.get();  // not yet taken by a wait
    Q_EMIT ready();
}

}  // namespace kalvora
