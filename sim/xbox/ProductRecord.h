#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Store.h"
#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

// One catalogue product laid out as the store hands it to an enumeration callback, with every text
// and SKU it points to. The runtime's records are valid only during that callback: this one is
// scribbled over when it goes, so that a game that kept a pointer reads garbage instead of a text
// that happens to still be right.
class ProductRecord {
public:
    explicit ProductRecord(const StoreProduct& product);
    ~ProductRecord();
    ProductRecord(const ProductRecord&) = delete;
    ProductRecord& operator=(const ProductRecord&) = delete;

    const Gdk::XStoreProduct* Get() const { return &record_; }

private:
    // The text's copy kept by this record; null for none.
    const char* Keep(const std::optional<std::string>& text);
    void FillPrice(Gdk::XStorePrice& target, const StorePrice& price);

    std::deque<std::string> texts_; // a deque: its elements stay where they are as it grows
    std::vector<Gdk::XStoreSku> skus_;
    Gdk::XStoreProduct record_{};
};

} // namespace Vyro::XboxSim
