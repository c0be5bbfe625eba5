// What MainDialog gives each area controller when it creates it: the owner
// itself (to reach the other controllers and the shared services), and the
// state it owns for the whole run. Only controllers in core receive it; front
// ends reach that state through controller methods.
//
// A new area (shopping list, meal plan, ...) is a class in core that takes a
// ControllerContext and a pointer to its own view interface (null without a
// window), is created in MainDialog's constructor, and is handed out by one
// accessor of MainDialog named after the area.
#pragma once

namespace pantrio {

class AppSettings;
class MainDialog;
class Prompter;
class RecipeDB;
class SupportDB;
struct LookupLists;

struct ControllerContext {
    MainDialog& main;
    AppSettings& settings;
    RecipeDB& box;
    SupportDB& support;
    LookupLists& lookups;
    Prompter& prompter;
};

}  // namespace pantrio
