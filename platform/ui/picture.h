#pragma once
// TPicture: holds one graphic of the kind its source asks for. Files choose by extension:
// bmp -> TBitmap, ico -> TIcon, wmf/emf -> TMetafile, jpg/jpeg -> TJPEGImage; any other extension
// raises EInvalidGraphic "Unknown picture file extension (.<ext>)".
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/bitmap.h"
#include "platform/ui/graphic.h"

class TPicture : public TPersistent {
  public:
    TPicture();
    ~TPicture() override;
    std::string ClassName() const override { return "TPicture"; }
    void Assign(const TPersistent& source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(const TGraphic* graphic);  // holds a copy; nullptr empties the picture
    // The picture as a bitmap; a picture of another kind is turned into one.
    TBitmap* Bitmap();
    int Width() const;
    int Height() const;

    // On failure the picture keeps what it held.
    void LoadFromFile(const std::string& fileName);
    // A picture built into the program (platform/ui/resources.h), of the kind its file extension named.
    void LoadFromResourceName(std::string_view name);

    TNotifyEvent OnChange;

  private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();
    std::unique_ptr<TGraphic> graphic_;
};

// A new empty graphic for a file extension without its dot ("jpg"); raises for unknown ones.
std::unique_ptr<TGraphic> NewGraphicForExtension(std::string_view extension);
