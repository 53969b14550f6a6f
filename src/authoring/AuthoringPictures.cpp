#include "authoring/AuthoringPictures.h"

#include "core/BuiltinResources.h"

namespace tivane {

QImage stepDisc(int number)
{
    return BuiltinResources::picture(BuiltinResources::StepDiscs[number - 1]);
}

QImage openFolderGlyph()
{
    return BuiltinResources::picture(BuiltinResources::FolderGlyph);
}

QImage noPicturePlaceholder()
{
    return BuiltinResources::picture(BuiltinResources::NoPicture).convertToFormat(QImage::Format_RGB888);
}

} // namespace tivane
