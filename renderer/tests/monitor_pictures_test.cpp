#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "renderer/monitor_pictures.h"

namespace {

using renderer::MonitorPictures;
using renderer::MonitorView;
using renderer::View;

MonitorView place(int x, int width, bool primary, const char* device) {
    MonitorView view;
    view.x = x;
    view.width = width;
    view.height = 768;
    view.primary = primary;
    view.device = device;
    return view;
}

const MonitorView kPrimary = place(0, 1280, true, "\\\\.\\DISPLAY1");
const MonitorView kSecond = place(1280, 1024, false, "\\\\.\\DISPLAY2");
const MonitorView kThird = place(2304, 1024, false, "\\\\.\\DISPLAY3");

bool same(const scene::SphereState (&a)[scene::kSphereCount], const scene::SphereState (&b)[scene::kSphereCount]) {
    return std::memcmp(a, b, sizeof a) == 0;
}

// Each window's views show the run's pictures: the primary's wherever the
// primary is, each other monitor its own, the same one whenever its monitor
// comes back; the framed window the primary's alone.
TEST(MonitorViews, EachViewShowsItsMonitorsPictureForTheRun) {
    MonitorPictures pictures(1234);
    const std::vector<View> framed = renderer::views_of({}, pictures);
    ASSERT_EQ(framed.size(), 1u);
    EXPECT_TRUE(framed[0].place.primary);
    EXPECT_EQ(framed[0].picture, &pictures.primary());

    const std::vector<View> two = renderer::views_of({kPrimary, kSecond}, pictures);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].picture, &pictures.primary());
    scene::Picture* second = two[1].picture;
    EXPECT_NE(second, &pictures.primary());

    const std::vector<View> three = renderer::views_of({kPrimary, kThird, kSecond}, pictures);
    EXPECT_EQ(three[2].picture, second) << "a monitor seen again keeps its picture";
    EXPECT_NE(three[1].picture, second);
    EXPECT_FALSE(same(three[1].picture->spheres, second->spheres)) << "each monitor starts from values of its own";
    EXPECT_EQ(pictures.others(), 2u);

    // The primary moved to another monitor: its picture goes with it.
    MonitorView moved = kSecond;
    moved.primary = true;
    EXPECT_EQ(renderer::views_of({moved, kPrimary}, pictures)[0].picture, &pictures.primary());
}

TEST(MonitorViews, OneViewFillsTheClientAreaSeveralKeepTheirPlaces) {
    MonitorPictures pictures(1);
    std::vector<View> framed = renderer::views_of({}, pictures);
    renderer::fit_views(framed, 1008, 730);
    const MonitorView& whole = framed[0].place;
    EXPECT_EQ((std::vector<int>{whole.x, whole.y, whole.width, whole.height}), (std::vector<int>{0, 0, 1008, 730}));

    std::vector<View> two = renderer::views_of({kPrimary, kSecond}, pictures);
    renderer::fit_views(two, 2304, 1024);
    EXPECT_EQ(two[0].place, kPrimary);
    EXPECT_EQ(two[1].place, kSecond);
}

// The primary's picture is the one a single monitor shows, frame for frame,
// however many monitors there are and whatever windows come and go: every
// other monitor draws its colour changes from a stream of its own. A
// monitor's picture stands still while no window shows it.
TEST(MonitorViews, ThePrimarysPictureIsWhatASingleMonitorShowsFrameForFrame) {
    struct Window {
        std::vector<MonitorView> places;
        int frames;
    };
    struct Case {
        const char* name;
        std::vector<Window> windows;
    } const cases[] = {
        {"two monitors", {{{kPrimary, kSecond}, 2000}}},
        {"three monitors, one plugged in later", {{{kPrimary, kSecond}, 500}, {{kPrimary, kThird, kSecond}, 1500}}},
        {"Tab to the framed window and back", {{{kPrimary, kSecond}, 700}, {{}, 600}, {{kPrimary, kSecond}, 700}}},
    };
    constexpr float kFps = 30.0f;  // a colour change every 240 frames per channel on average
    for (const Case& c : cases) {
        MonitorPictures single(20240601), several(20240601);
        std::vector<View> alone = renderer::views_of({kPrimary}, single);
        for (const Window& window : c.windows) {
            std::vector<View> views = renderer::views_of(window.places, several);
            const scene::Picture before = several.of(kSecond.device);
            for (int f = 0; f < window.frames; ++f) {
                renderer::advance_views(alone, kFps);
                renderer::advance_views(views, kFps);
                ASSERT_TRUE(same(several.primary().spheres, single.primary().spheres)) << c.name << ", frame " << f;
                ASSERT_EQ(std::memcmp(views[0].spheres, alone[0].spheres, sizeof alone[0].spheres), 0) << c.name;
            }
            const bool second_shown = window.places.size() > 1;
            EXPECT_EQ(same(several.of(kSecond.device).spheres, before.spheres), !second_shown) << c.name;
        }
    }
}

}  // namespace
