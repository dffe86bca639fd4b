#include "server/ImageCache.h"

#include <gtest/gtest.h>

// The cache is charged an answer's size, so it must not keep more: an
// encoder's array may carry several times its size in spare room, which
// once let 64 MiB of cached answers hold some 300 MB.
TEST(ImageCache, KeepsNoMoreThanItIsChargedFor)
{
    CImageCache cache(1024 * 1024);
    QByteArray roomy;
    roomy.reserve(256 * 1024);
    roomy.append("an encoded image");
    cache.Insert("\"tag\"", roomy);
    const QByteArray kept = cache.Find("\"tag\"");
    EXPECT_EQ(kept, roomy);
    EXPECT_EQ(kept.capacity(), kept.size());
    EXPECT_EQ(cache.Bytes(), roomy.size() + qsizetype(sizeof("\"tag\"") - 1));
}
