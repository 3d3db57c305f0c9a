#include "framework/image.h"

#include "framework/published.h"

namespace {

const PropertyInfo kProperties[] = {
    StringProperty<&TImage::PictureName, &TImage::SetPictureName>("Picture"),
};

}  // namespace

const ClassInfo TImage::Class = CreatableClass<TImage, TControl>("TImage", kProperties);

void TImage::SetPictureName(const std::string& name) {
    if (name == picture_.ResourceName()) return;
    picture_.LoadFromResourceName(name);
    Changed(widgetset::Aspect::Picture);
}
