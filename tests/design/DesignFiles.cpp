#include "DesignFiles.h"

#include <QFile>

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
}

const QByteArray kDefaultDesignFile = "[General]\n"
                                      "BGTrans=1\n"
                                      "BGColor=16777215\n"
                                      "Margin=5\n"
                                      "ShapeSize=128,128\n"
                                      "Color1=12544256\n"
                                      "Color2=15580218\n"
                                      "EnableShapeShadow=1\n"
                                      "ShapeShadowPos=0.000000,5.000000\n"
                                      "ShapeShadowAlpha=200\n"
                                      "String=NACRE\n"
                                      "FontName=Impact\n"
                                      "Bold=0\n"
                                      "FontSize=20.000000\n"
                                      "TextPos=0.000000,0.000000\n"
                                      "TextColor=16777215\n"
                                      "TextAlpha=250\n"
                                      "EnableTextShadow=1\n"
                                      "TextShadowPos=0.000000,13.000000\n"
                                      "TextShadowColor=16777215\n"
                                      "TextShadowColorSameAsText=1\n"
                                      "TextShadowAlpha=60\n"
                                      "ImagePath=\n"
                                      "ImageAlpha=250\n"
                                      "ImagePos=0.000000,0.000000\n"
                                      "ImageSize=80.000000\n"
                                      "EnableImageShadow=1\n"
                                      "ImageShadowPos=0.000000,13.000000\n"
                                      "ImageShadowAlpha=60\n"
                                      "RenderID=32771\n";
