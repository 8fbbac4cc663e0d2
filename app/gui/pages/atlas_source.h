#pragma once
// The atlas of places for the pages' City boxes: loaded once on a worker thread when first wanted, so that the
// window opens at once, and shared by both pages (and by every window given the same source).

#include <future>
#include <optional>

#include <QObject>

#include "atlas/atlas.h"

namespace kalvora {

class AtlasSource : public QObject {
    Q_OBJECT
public:
    AtlasSource() = default;
    ~AtlasSource() override;

    // Starts loading on a worker thread unless it has begun already.
    void Start();
    // The atlas when loaded, else none (and the loading is started).
    const Atlas* IfReady();
    // The atlas, waiting for the load to finish.
    const Atlas& Wait();

Q_SIGNALS:
    // The atlas has been loaded; emitted once, on the thread that owns the source.
    void ready();

private:
    void TakeLoaded();

    std::future<Atlas> loading_;
    std::optional<Atlas> atlas_;
};

}  // namespace kalvora
