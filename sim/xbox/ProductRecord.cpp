#include "ProductRecord.h"

#include <algorithm>
#include <cstring>

namespace Vyro::XboxSim {

namespace {

constexpr unsigned char kScribble = 0xDD;
constexpr char kLanguage[] = "en-US";

void CopyPriceText(char (&target)[Gdk::kStorePriceTextBytes], const std::string& text)
{
    const std::size_t size = std::min(text.size(), sizeof(target) - 1);
    std::memcpy(target, text.data(), size);
    target[size] = '\0';
}

} // namespace

ProductRecord::ProductRecord(const StoreProduct& product)
{
    skus_.reserve(product.skus.size());
    for (const StoreSku& sku : product.skus) {
        Gdk::XStoreSku record{};
        record.skuId = Keep(sku.id);
        record.title = Keep(product.title);
        record.description = Keep(product.description);
        record.language = kLanguage;
        FillPrice(record.price, sku.price);
        skus_.push_back(record);
    }
    record_.storeId = Keep(product.id);
    record_.title = Keep(product.title);
    record_.description = Keep(product.description);
    record_.language = kLanguage;
    record_.productKind = static_cast<Gdk::XStoreProductKind>(product.kind);
    if (product.price) {
        FillPrice(record_.price, *product.price);
    } else if (!product.skus.empty()) {
        FillPrice(record_.price, product.skus.front().price);
    }
    record_.skusCount = static_cast<std::uint32_t>(skus_.size());
    record_.skus = skus_.empty() ? nullptr : skus_.data();
}

ProductRecord::~ProductRecord()
{
    for (std::string& text : texts_) {
        std::fill(text.begin(), text.end(), static_cast<char>(kScribble));
    }
    if (!skus_.empty()) {
        std::memset(static_cast<void*>(skus_.data()), kScribble, skus_.size() * sizeof(Gdk::XStoreSku));
    }
    std::memset(static_cast<void*>(&record_), kScribble, sizeof(record_));
}

const char* ProductRecord::Keep(const std::optional<std::string>& text)
{
    if (!text) {
        return nullptr;
    }
    return texts_.emplace_back(*text).c_str();
}

void ProductRecord::FillPrice(Gdk::XStorePrice& target, const StorePrice& price)
{
    target.basePrice = price.base;
    target.price = price.price;
    target.recurrencePrice = price.recurrence;
    target.currencyCode = Keep(price.currency);
    CopyPriceText(target.formattedBasePrice, price.formatted);
    CopyPriceText(target.formattedPrice, price.formatted);
    target.isOnSale = price.price < price.base;
}

} // namespace Vyro::XboxSim
