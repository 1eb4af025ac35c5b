#include "convert/GraphicsAhead.h"

#include "convert/CConvertDoc.h"

void GraphicsAhead::Start(int page) {
    Wait();
    CGraphicsList::Process().Clear();
    if (page <= 0) return;
    job_.pageRotation = 0;
    thread_ = std::thread([this, page] { job_.PageGraphicsPass(page); });
}

CGraphicsList GraphicsAhead::Take() {
    if (thread_.joinable()) thread_.join();
    CGraphicsList taken;
    for (auto& entry : CGraphicsList::Process().TakeAll()) taken.Add(std::move(entry));
    return taken;
}

void GraphicsAhead::Wait() {
    if (thread_.joinable()) thread_.join();
    CGraphicsList::Process().Clear();
}
