// s::image::win::BufferedImageSet -- an ordered set of pixel images (the
// images of an icon, the frames of a GIF) with per-member tags: the colour
// depth the member came from and two reader values (for GIF frames: the
// delay and the disposal value). The set's size is that of its member with
// the largest area. Members are owned by the set and go back to their pool
// when the set is cleared or released. The set may carry the source file's
// colour profile, which every output encoded from it keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image/BufferedImage.h"
#include "image/ColourProfile.h"

namespace s::image::win {

class BufferedImageSet : public s::image::IImage, public s::thread::IPoolable {
    TARVEX_POOLED(BufferedImageSet, "s_image_win_BufferedImageSet")
public:
    BufferedImageSet() = default;
    ~BufferedImageSet() override = default;
    void reset() override { clear(); }

    std::int32_t getWidth() const override { return largestWidth_; }
    std::int32_t getHeight() const override { return largestHeight_; }
    std::int32_t getCount() const { return static_cast<std::int32_t>(images_.size()); }

    // Appends (a null image is ignored). The new member becomes the largest
    // when its area is larger, or equal with a larger depth.
    void add(s::thread::Pooled<BufferedImage> image, std::int32_t depth = 32,
             std::int32_t value2 = 0, std::int32_t value3 = 0);
    // Recomputes the largest width/height over the members, measuring each
    // member's filtered result when it has filters (strictly larger area wins).
    void updateLargest();

    bool isAnimated() const { return animated_; }
    std::int16_t getLoopCount() const { return loopCount_; }
    void setAnimation(bool animated, std::int16_t loopCount) {
        animated_ = animated;
        loopCount_ = loopCount;
    }

    // The source's colour description, shared by every copy of the set and
    // by every output encoded from it; null when the file had none (or it
    // is not to be carried).
    const std::shared_ptr<const s::image::ColourProfile>& getColourProfile() const {
        return colourProfile_;
    }
    void setColourProfile(std::shared_ptr<const s::image::ColourProfile> profile) {
        colourProfile_ = std::move(profile);
    }

    std::int32_t getDepth(std::int32_t i) const;   // 0 when i is not a member index
    std::int32_t getValue2(std::int32_t i) const;  // 1000 when i is not a member index
    std::int32_t getValue3(std::int32_t i) const;  // 1000 when i is not a member index

    // New sets (null handle when memory runs out).
    s::thread::Pooled<BufferedImageSet> copyAll() const;
    // Every member as a whole picture on the logical screen (animations).
    // When members carry frame rectangles (see setFrameRect) they are
    // composed with the GIF disposal methods instead: each member is drawn
    // over the picture left by the previous one after that one's value3 was
    // applied (2: its rectangle cleared to transparent, 3: the picture from
    // before it restored, anything else: left in place); value3 and the
    // rectangles are kept, so composing composed pictures changes nothing.
    s::thread::Pooled<BufferedImageSet> coalesced() const;
    // The same, in place: the members are replaced by the pictures. On
    // failure (memory) the set is left empty and false returned.
    bool coalesce();

    // The rectangle an animation frame covered on the logical screen, for
    // sets whose members are screen-sized pictures (GIF frames).
    struct FrameRect {
        std::int32_t left = 0;
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    // Records member i's rectangle (ignored for a bad index).
    void setFrameRect(std::int32_t i, const FrameRect& rect);
    // Member i's rectangle; false (rect untouched) when it has none.
    bool getFrameRect(std::int32_t i, FrameRect& rect) const;
    s::thread::Pooled<BufferedImageSet> scaledAll(std::int32_t w, std::int32_t h, bool keepRatio);
    s::thread::Pooled<BufferedImageSet> filteredAll();

    std::int32_t getLargestIndex() const { return largestIndex_; }
    std::int32_t getLargestDepth() const { return largestDepth_; }
    BufferedImage* getLargest() const { return getImage(largestIndex_); }
    BufferedImage* getImage(std::int32_t i) const;

    bool findExact(std::int32_t w, std::int32_t h, std::int32_t depth, std::int32_t& index) const;
    bool findNearestDepthFirst(std::int32_t w, std::int32_t h, std::int32_t depth,
                               std::int32_t& index) const;
    bool findNearestSizeFirst(std::int32_t w, std::int32_t h, std::int32_t depth,
                              std::int32_t& index) const;

    // Empties the set, handing the members to the caller.
    std::vector<s::thread::Pooled<BufferedImage>> detachAll();
    // Empties the set, releasing the members; loop count back to 1, no
    // colour profile.
    void clear();

private:
    // Best member by depth distance then area distance (or the reverse); an
    // exact match wins at once.
    bool findNearest(std::int32_t w, std::int32_t h, std::int32_t depth, bool depthFirst,
                     std::int32_t& index) const;
    // coalesce() for members without frame rectangles: marked frames drawn
    // over the previous picture. Both take the members from frames.
    bool drawOverPrevious(BufferedImageSet& frames);
    // coalesce() for members with frame rectangles.
    bool composeOnScreen(BufferedImageSet& frames);

    std::vector<s::thread::Pooled<BufferedImage>> images_;
    std::vector<std::int32_t> depths_;
    std::vector<std::int32_t> values2_;
    std::vector<std::int32_t> values3_;
    std::vector<FrameRect> frameRects_;  // empty when no member has one; width 0: none
    bool animated_ = false;
    std::int16_t loopCount_ = 1;
    std::shared_ptr<const s::image::ColourProfile> colourProfile_;
    std::int32_t largestWidth_ = 0;
    std::int32_t largestHeight_ = 0;
    std::int32_t largestDepth_ = 0;
    std::int32_t largestIndex_ = 0;
};

}  // namespace s::image::win
