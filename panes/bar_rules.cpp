#include "bar_rules.h"

namespace nq::bars {

namespace {

const char* ToggleImage(bool offersOn, const Pressed& pressed) {
    if (offersOn)
        return pressed.Toggle ? kEnableDown : kEnableNorm;
    return pressed.Toggle ? kDisableDown : kDisableNorm;
}

} // namespace

const char* FontsBarAddImage(bool collectionSelected, const Pressed& pressed) {
    if (!collectionSelected)
        return kAddInactive;
    return CollectionsBarAddImage(pressed);
}

const char* CollectionsBarAddImage(const Pressed& pressed) {
    return pressed.Add ? kAddDown : kAddNorm;
}

const char* FontsBarToggleImage(bool fontSelected, bool installed, const Pressed& pressed) {
    return fontSelected ? ToggleImage(!installed, pressed) : nullptr;
}

const char* CollectionsBarToggleImage(int collectionRow, bool collectionOff,
                                      const Pressed& pressed) {
    return collectionRow > 0 ? ToggleImage(collectionOff, pressed) : nullptr;
}

const char* FontsBarAddTip(bool collectionSelected) {
    return collectionSelected ? "Add fonts to this collection"
                              : "Select a collection to add fonts to it";
}

const char* FontsBarToggleTip(int selected, bool anyOff) {
    if (selected > 1)
        return anyOff ? "Switch these fonts on" : "Switch these fonts off";
    return anyOff ? "Switch this font on" : "Switch this font off";
}

const char* CollectionsBarToggleTip(bool collectionOff) {
    return collectionOff ? "Switch this collection on" : "Switch this collection off";
}

std::string FontCountText(int listed, std::optional<int> totalWhileFiltered) {
    const std::string n = std::to_string(listed);
    if (totalWhileFiltered)
        return n + " of " + std::to_string(*totalWhileFiltered) +
               (*totalWhileFiltered == 1 ? " font" : " fonts");
    return n + (listed == 1 ? " font" : " fonts");
}

} // namespace nq::bars
