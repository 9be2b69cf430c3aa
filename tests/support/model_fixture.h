#pragma once
// A small world for the world model's suites and a checker of every link in a
// world: holders and the things they hold must name each other.
#include "model/init.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// Catalogue rows of the small world.
namespace row {
// terrains
constexpr int grass = 0, water = 1;
// object catalogue
constexpr int chest = 0, flowers = 1, door = 2;  // flowers float and let pass: not blocking
// item catalogue
constexpr int sword = 0, helm = 1, plate = 2, revolver = 3, rifle = 4, hat = 5;
// resource catalogue
constexpr int gold = 0, bullet = 1, clip = 2, cell = 3, water_res = 4, vial = 5, wood = 6;
// NPC templates
constexpr int guard = 0, rat = 1;
}  // namespace row

// Two maps (0: 6 x 5 of grass, 1: 4 x 3 of grass), two terrains, three
// objects, six items (a revolver with six chambers full of bullets, a rifle
// that comes with a clip of three bullets), seven resources and two NPC
// templates (the guard carries a sword, 5 gold and 3 wood, wears a helm and a
// plate, holds a sword and 7 gold; the rat carries nothing). Nothing placed.
TWorld small_world();

Tplace at(int32_t map, int32_t x, int32_t y);

// An event of action a naming target, at no place.
Tevent event(uint8_t a, int32_t target);
// The targets of a list of events, in order.
std::vector<int32_t> targets(const Tevents& events);

// Every fault in the links of the world, one line each; empty when they hold.
std::vector<std::string> link_problems(const TWorld& world);
// For EXPECT_TRUE(links_hold(world)).
::testing::AssertionResult links_hold(const TWorld& world);

// Replaces message_handler for its life and keeps the texts it is given.
class CapturedMessages {
public:
    CapturedMessages();
    ~CapturedMessages();
    std::vector<std::string> texts;

private:
    message_proc previous_;
};
