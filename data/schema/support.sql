-- Tables of the support database (support.csy), shared by all recipe boxes.
-- Text compares without regard to case; dates are ISO text, yes/no 0 or 1.

CREATE TABLE RecipeList (
    RecipeListID INTEGER NOT NULL PRIMARY KEY,
    RecipeDate TEXT,
    MealNumber INTEGER DEFAULT 0,
    RecipeID INTEGER,
    CookbookFile TEXT COLLATE NOCASE,
    Title TEXT COLLATE NOCASE,
    Marked INTEGER DEFAULT 0,
    Color INTEGER DEFAULT 0,
    ScaleToMake REAL DEFAULT 1,
    ScaleToMakeText TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE
);
CREATE INDEX RecipeListRecipeDate ON RecipeList (RecipeDate);
CREATE INDEX RecipeListRecipeID ON RecipeList (RecipeID);

CREATE TABLE ShoppingList (
    ShoppingListID INTEGER NOT NULL PRIMARY KEY,
    ItemName TEXT COLLATE NOCASE,
    TextQty TEXT COLLATE NOCASE,
    QtyToBuy REAL DEFAULT 0,
    UnitOfMeasure TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE,
    Dept TEXT COLLATE NOCASE,
    IngredientMasterID INTEGER DEFAULT 0,
    RecipeID INTEGER DEFAULT -1,
    RecipeTitle TEXT COLLATE NOCASE,
    IngredientLineID INTEGER DEFAULT -1,
    CookbookFile TEXT COLLATE NOCASE
);

CREATE TABLE Nutrients (
    NutrientID INTEGER NOT NULL PRIMARY KEY,
    NDB_NO TEXT COLLATE NOCASE,
    Shrt_Desc TEXT COLLATE NOCASE,
    Water REAL DEFAULT 0,
    Energ_Kcal REAL DEFAULT 0,
    Protein REAL DEFAULT 0,
    Tot_Lipid REAL DEFAULT 0,
    Carbohydrt REAL DEFAULT 0,
    Fiber_TD REAL DEFAULT 0,
    Ash REAL DEFAULT 0,
    Calcium REAL DEFAULT 0,
    Phosphorus REAL DEFAULT 0,
    Iron REAL DEFAULT 0,
    Sodium REAL DEFAULT 0,
    Potassium REAL DEFAULT 0,
    Magnesium REAL DEFAULT 0,
    Zinc REAL DEFAULT 0,
    Copper REAL DEFAULT 0,
    Manganese REAL DEFAULT 0,
    Selenium REAL DEFAULT 0,
    Vit_A REAL DEFAULT 0,
    Vit_E REAL DEFAULT 0,
    Thiamin REAL DEFAULT 0,
    Riboflavin REAL DEFAULT 0,
    Niacin REAL DEFAULT 0,
    Panto_acid REAL DEFAULT 0,
    Vit_B6 REAL DEFAULT 0,
    Folate REAL DEFAULT 0,
    Vit_B12 REAL DEFAULT 0,
    Vit_C REAL DEFAULT 0,
    FA_Sat REAL DEFAULT 0,
    FA_Mono REAL DEFAULT 0,
    FA_Poly REAL DEFAULT 0,
    Cholestrl REAL DEFAULT 0,
    Alcohol REAL DEFAULT 0,
    Caffeine REAL DEFAULT 0,
    GmWt_1 REAL DEFAULT 0,
    GmWt_Desc1 TEXT COLLATE NOCASE,
    GmWt_2 REAL DEFAULT 0,
    GmWt_Desc2 TEXT COLLATE NOCASE,
    Refuse_Pct INTEGER DEFAULT 0
);
CREATE INDEX NutrientsShrtDesc ON Nutrients (Shrt_Desc);

CREATE TABLE IngredientMasterTable (
    ID INTEGER NOT NULL PRIMARY KEY,
    KeywordText TEXT COLLATE NOCASE,
    NutrientID INTEGER DEFAULT 0,
    StdDeptName TEXT COLLATE NOCASE,
    UnitOfPurchase TEXT COLLATE NOCASE
);
CREATE INDEX IngredientMasterKeyword ON IngredientMasterTable (KeywordText);

CREATE TABLE NutrientKeyword (
    ID INTEGER NOT NULL PRIMARY KEY,
    KeywordText TEXT COLLATE NOCASE
);

CREATE TABLE Keywords (
    ID INTEGER NOT NULL PRIMARY KEY,
    Keyword TEXT COLLATE NOCASE,
    KeywordGroup TEXT COLLATE NOCASE
);

CREATE TABLE Cuisines (
    ID INTEGER NOT NULL PRIMARY KEY,
    Cuisine TEXT COLLATE NOCASE
);

CREATE TABLE PrimaryIngredients (
    PrimaryIngredientID INTEGER NOT NULL PRIMARY KEY,
    PrimaryIngredient TEXT COLLATE NOCASE
);

CREATE TABLE YieldUnits (
    ID INTEGER NOT NULL PRIMARY KEY,
    YieldUnit TEXT COLLATE NOCASE
);

CREATE TABLE Measures (
    ID INTEGER NOT NULL PRIMARY KEY,
    Measure TEXT COLLATE NOCASE
);

CREATE TABLE PrepNotes (
    ID INTEGER NOT NULL PRIMARY KEY,
    PrepNote TEXT COLLATE NOCASE
);

-- The database assigns the identifiers of remembered mail addresses.
CREATE TABLE EmailAddresses (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Email TEXT COLLATE NOCASE
);
