#include "quorvandelixtemplate.h"

#include "editchannel.h"
#include "quorvandelixdoc.h"
#include "quorvandelixview.h"

std::unique_ptr<CQuorvandelixDoc> CQuorvandelixTemplate::CreateNewDocument() const {
    return std::make_unique<CQuorvandelixDoc>();
}

std::unique_ptr<CQuorvandelixView> CQuorvandelixTemplate::CreateView(CQuorvandelixDoc* doc) const {
    auto view = std::make_unique<CQuorvandelixView>();
    view->SetDocument(doc);
    view->SetEditChannelRunner([](uint8_t mode, uint8_t level, uint8_t network, uint16_t tp) {
        return CEditChannel::Run(mode, level, network, tp);
    });
    return view;
}
