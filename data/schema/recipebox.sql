-- Tables of a recipe box (.crb). Text compares without regard to case, as the
-- program's statements expect; dates are ISO text, yes/no values 0 or 1.
-- Identifiers are assigned by the program (maximum + 1).

CREATE TABLE Recipes (
    RecipeID INTEGER NOT NULL PRIMARY KEY,
    Title TEXT COLLATE NOCASE,
    SubHead TEXT COLLATE NOCASE,
    Instructions TEXT COLLATE NOCASE,
    YieldText TEXT COLLATE NOCASE,
    YieldNumber REAL DEFAULT 0,
    YieldUnit TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE,
    PrimaryIngredient TEXT COLLATE NOCASE,
    Cuisine TEXT COLLATE NOCASE,
    Source TEXT COLLATE NOCASE,
    UniqueID INTEGER DEFAULT 0,
    Color INTEGER DEFAULT 0,
    Marked INTEGER DEFAULT 0,
    TasteRating REAL DEFAULT 0,
    AppearanceRating REAL DEFAULT 0,
    EffortRating REAL DEFAULT 0,
    AffordableRating REAL DEFAULT 0,
    ActiveMinutes INTEGER DEFAULT 0,
    TotalMinutes INTEGER DEFAULT 0,
    AllIngredientsText TEXT COLLATE NOCASE,
    AllCategoriesText TEXT COLLATE NOCASE,
    LastViewed TEXT,
    ScaleMultiple REAL DEFAULT 1,
    PictureFile1 TEXT COLLATE NOCASE
);
-- The duplicate test of a recipe save looks up the title, and the lists in
-- title order (the views, the title search) read this index alone: it holds
-- every column those lists show or test, so a view stops reading after the
-- rows it shows instead of visiting each recipe row on the way.
CREATE INDEX RecipesTitle ON Recipes (Title, Marked, Color, TasteRating, LastViewed, AllCategoriesText);
-- The dated views count their rows from this index alone: it holds every
-- column they test.
CREATE INDEX RecipesLastViewed ON Recipes (LastViewed, Title, Marked, Color, TasteRating, AllCategoriesText);

CREATE TABLE IngredientLines (
    IngredientLinesID INTEGER NOT NULL PRIMARY KEY,
    RecipeID INTEGER,
    LineOrder INTEGER DEFAULT 0,
    bHeading INTEGER DEFAULT 0,
    TextQty TEXT COLLATE NOCASE,
    DblQty REAL DEFAULT 0,
    Measure TEXT COLLATE NOCASE,
    Name TEXT COLLATE NOCASE,
    PrepNotes TEXT COLLATE NOCASE
);
CREATE INDEX IngredientLinesRecipeID ON IngredientLines (RecipeID);

CREATE TABLE IngredientLinesNutrients (
    IngredientLinesNutrientsID INTEGER NOT NULL PRIMARY KEY,
    IngredientLinesID INTEGER,
    NutrientID INTEGER,
    BaseRecipeGramWeight REAL DEFAULT 0
);
CREATE INDEX IngredientLinesNutrientsLine ON IngredientLinesNutrients (IngredientLinesID);
-- The results list orders searches marked first, then by colour and title,
-- and counts keyword views by scanning the keyword text.
CREATE INDEX RecipesMarkedColorTitle ON Recipes (Marked DESC, Color, Title);
CREATE INDEX RecipesCategories ON Recipes (AllCategoriesText);
-- Ingredient searches look for a text anywhere in a name (LIKE '%text%'),
-- which no ordinary index answers. This trigram index answers them: one row
-- per recipe (rowid = RecipeID) holding its names one per line, their ASCII
-- letters in lower case as LIKE compares them, so the recipes come from the
-- index alone. Recipes with lines numbered above the mark, with lines that
-- took a number listed as pending, or listed as pending themselves (their
-- lines were renamed, moved or removed) are not up to date in it (a search
-- tests their lines directly) until the program writes their rows after the
-- work that changed them, so that a bulk import is not slowed by the index at
-- every recipe. The program adds the same objects to boxes made without them.
CREATE VIRTUAL TABLE RecipeIngredientTrigrams USING fts5(Names, tokenize='trigram case_sensitive 1');
-- It gathers words in 8 MB of memory before writing them out.
INSERT INTO RecipeIngredientTrigrams(RecipeIngredientTrigrams, rank) VALUES('hashsize', 8388608);
CREATE TABLE RecipeIngredientTrigramsPending (RecipeID INTEGER NOT NULL PRIMARY KEY);
CREATE TABLE IngredientNameTrigramsPending (IngredientLinesID INTEGER NOT NULL PRIMARY KEY);
CREATE TABLE IngredientNameTrigramsMark (MarkID INTEGER NOT NULL PRIMARY KEY CHECK (MarkID = 1), LastIndexedLine INTEGER NOT NULL);
CREATE TRIGGER IngredientNameTrigramsDelete AFTER DELETE ON IngredientLines WHEN old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM IngredientNameTrigramsMark), 0) BEGIN INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) VALUES (old.IngredientLinesID); INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT old.RecipeID WHERE old.RecipeID IS NOT NULL; END;
CREATE TRIGGER IngredientNameTrigramsUpdate AFTER UPDATE OF IngredientLinesID, RecipeID, Name ON IngredientLines BEGIN INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) SELECT old.IngredientLinesID WHERE old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM IngredientNameTrigramsMark), 0); INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT old.RecipeID WHERE old.RecipeID IS NOT NULL; INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT new.RecipeID WHERE new.RecipeID IS NOT NULL; END;
