#include "ImageLists.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

struct TLists {
    std::mutex Lock;
    TImageListObject Small{16, {}, {}};
    TImageListObject Large{32, {}, {}};
    std::map<HIMAGELIST, std::unique_ptr<TImageListObject>> Copies;
};

// The lists live until the program ends, as the system's do.
TLists& Lists()
{
    static TLists* Instance = new TLists;
    return *Instance;
}

} // namespace

HIMAGELIST SystemImageList(bool Small)
{
    return Small ? &Lists().Small : &Lists().Large;
}

TImageListObject* ImageListOf(HIMAGELIST List)
{
    TLists& L = Lists();
    if (List == &L.Small || List == &L.Large)
        return List;
    std::lock_guard<std::mutex> Guard(L.Lock);
    return L.Copies.count(List) ? List : nullptr;
}

int AddSystemIcon(bool Small, qint64 Key, const QPixmap& Picture)
{
    TLists& L = Lists();
    std::lock_guard<std::mutex> Guard(L.Lock);
    TImageListObject& List = Small ? L.Small : L.Large;
    for (size_t I = 0; I < List.Keys.size(); ++I)
        if (List.Keys[I] == Key)
            return static_cast<int>(I);
    List.Images.push_back(Picture);
    List.Keys.push_back(Key);
    return static_cast<int>(List.Images.size() - 1);
}

QPixmap ImageOf(HIMAGELIST List, int Index)
{
    TImageListObject* Object = ImageListOf(List);
    if (!Object)
        return QPixmap();
    std::lock_guard<std::mutex> Guard(Lists().Lock);
    return Index >= 0 && static_cast<size_t>(Index) < Object->Images.size() ? Object->Images[static_cast<size_t>(Index)]
                                                                            : QPixmap();
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST List)
{
    TImageListObject* Source = ImageListOf(List);
    if (!Source)
        return nullptr;
    TLists& L = Lists();
    std::lock_guard<std::mutex> Guard(L.Lock);
    auto Copy = std::make_unique<TImageListObject>(*Source);
    HIMAGELIST Handle = Copy.get();
    L.Copies.emplace(Handle, std::move(Copy));
    return Handle;
}

BOOL ImageList_Destroy(HIMAGELIST List)
{
    TLists& L = Lists();
    std::lock_guard<std::mutex> Guard(L.Lock);
    return L.Copies.erase(List) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST List)
{
    TImageListObject* Object = ImageListOf(List);
    std::lock_guard<std::mutex> Guard(Lists().Lock);
    return Object ? static_cast<int>(Object->Images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST List, int* Width, int* Height)
{
    TImageListObject* Object = ImageListOf(List);
    if (!Object || !Width || !Height)
        return FALSE;
    *Width = *Height = Object->Size;
    return TRUE;
}
