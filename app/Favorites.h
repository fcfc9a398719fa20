// The favourite cycle: which function the favourite button selects next.
#pragma once

#include <functional>

// total: the number of favourites (TotalFavorite); favorite(n, default) reads
// FavoriteF<n>. With no favourites the cycle runs through all six functions.
// The result may be any stored value; SelectFunction makes invalid ones 0.
int NextFavorite(int current, int total, const std::function<int(int n, int defaultValue)>& favorite);
