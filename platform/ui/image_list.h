#pragma once
// TCustomImageList: a row of equally sized images with their masks, drawn normally, as their mask,
// transparently, or blended with a colour; TChangeLink tells a user of the list when it changes.
#include <vector>

#include "platform/rtl/component.h"
#include "platform/ui/bitmap.h"
#include "platform/ui/events.h"
#include "platform/ui/raster_image.h"

class TCustomImageList;

enum TImageType { itImage, itMask };
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

// A colour as the image-list calls take it: RGB, or one of the two markers.
using COLORREF = DWORD;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;

// Registered with a list, hears each change of it; unregisters itself when freed.
class TChangeLink : public TObject {
  public:
    ~TChangeLink() override;
    std::string ClassName() const override { return "TChangeLink"; }
    TCustomImageList* Sender() const { return sender_; }
    virtual void Change();
    TNotifyEvent OnChange;

  private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
  public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    std::string ClassName() const override { return "TCustomImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetWidth(int value);
    void SetHeight(int value);
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value);
    // The list is made when it is created; drawing needs it.
    bool HandleAllocated() const { return true; }

    int Count() const { return static_cast<int>(images_.size()); }
    // Adds the images of a bitmap cut into Width-wide pieces; the mask's white pixels are left
    // out when drawn (without a mask, the bitmap's own alpha decides). Returns the first index.
    int Add(TBitmap* image, TBitmap* mask);
    // As Add, leaving out the pixels of maskColor.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image index with the list's style and type; a disabled image is drawn engraved.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
              bool enabled = true);
    // The drawing itself: part (width, height; 0 the whole image) of image index at (x, y).
    bool DrawEx(int index, TCanvas& canvas, int x, int y, int width, int height, COLORREF bk, COLORREF fg,
                UINT style);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    TNotifyEvent OnChange;

  protected:
    virtual void Change();

  private:
    struct Image {
        platform::ui::RasterImage Pixels;  // alpha 0 where the mask leaves the image out
    };
    void Append(const platform::ui::RasterImage& strip, const std::vector<bool>& transparent);
    std::vector<Image> images_;
    std::vector<TChangeLink*> links_;
    int width_ = 16;
    int height_ = 16;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
};

class TImageList : public TCustomImageList {
  public:
    using TCustomImageList::TCustomImageList;
    std::string ClassName() const override { return "TImageList"; }
};

bool ImageList_DrawEx(TCustomImageList* list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk,
                      COLORREF fg, UINT style);
