// Every view interface of the main window's areas in one, for a front end
// whose one window implements them all (the desktop program, the tests'
// recording view). MainDialog hands each controller only its own part.
#pragma once

#include "core/FindView.h"
#include "core/ImportView.h"
#include "core/MailView.h"
#include "core/MealPlanView.h"
#include "core/NutrientEditorView.h"
#include "core/PrintView.h"
#include "core/RatingView.h"
#include "core/RecipeEditView.h"
#include "core/RecipePagesView.h"
#include "core/ResultsView.h"
#include "core/ShoppingListView.h"
#include "core/StatusView.h"
#include "core/WebLayoutView.h"
#include "core/WindowView.h"

namespace pantrio {

class MainView : public ResultsView,
                 public StatusView,
                 public RecipePagesView,
                 public RecipeEditView,
                 public FindView,
                 public ImportView,
                 public MailView,
                 public MealPlanView,
                 public PrintView,
                 public RatingView,
                 public ShoppingListView,
                 public NutrientEditorView,
                 public WebLayoutView,
                 public WindowView {};

}  // namespace pantrio
