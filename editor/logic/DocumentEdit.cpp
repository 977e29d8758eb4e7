#include "logic/DocumentEdit.h"

#include <utility>

namespace pelmora {
namespace editor {

Edit Edit::number(Field field, float value, std::size_t slot) {
    Edit edit;
    edit.field = field;
    edit.value = value;
    edit.slot = slot;
    return edit;
}

Edit Edit::texture(const std::string& chosen) {
    Edit edit;
    edit.kind = Kind::Texture;
    edit.text = chosen;
    return edit;
}

Edit Edit::sizeCurve(std::vector<SizeKey> keys) {
    Edit edit;
    edit.kind = Kind::SizeKeys;
    edit.sizeKeys = std::move(keys);
    return edit;
}

Edit Edit::speedCurve(std::vector<SizeKey> keys) {
    Edit edit;
    edit.kind = Kind::SpeedKeys;
    edit.sizeKeys = std::move(keys);
    return edit;
}

Edit Edit::colorCurve(std::vector<ColorKey> keys) {
    Edit edit;
    edit.kind = Kind::ColorKeys;
    edit.colorKeys = std::move(keys);
    return edit;
}

Edit Edit::rename(const std::string& name) {
    Edit edit;
    edit.kind = Kind::Rename;
    edit.text = name;
    return edit;
}

Edit Edit::add(ElementKind kind) {
    Edit edit;
    edit.kind = Kind::Add;
    edit.added = kind;
    return edit;
}

Edit Edit::addSubEmitter(Trigger trigger) {
    Edit edit = add(ElementKind::SubEmitter);
    edit.trigger = trigger;
    return edit;
}

Edit Edit::remove() {
    Edit edit;
    edit.kind = Kind::Delete;
    return edit;
}

Edit Edit::duringDrag() const {
    Edit edit = *this;
    edit.finished = false;
    return edit;
}

} // namespace editor
} // namespace pelmora
