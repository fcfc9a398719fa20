#include "Favorites.h"

namespace {

const int kLastFunction = 5;
// More favourites than this cannot be meant: a stored total is only a count.
const int kMaxFavorites = 64;

}  // namespace

int NextFavorite(int current, int total, const std::function<int(int, int)>& favorite)
{
    if (total <= 0)
        return current + 1 > kLastFunction ? 0 : current + 1;
    if (total > kMaxFavorites)
        total = kMaxFavorites;

    int position = -1;
    for (int n = 1; n <= total; ++n) {
        if (favorite(n, -1) == current) {
            position = n - 1;
            break;
        }
    }
    int next = position == -1 ? 0 : position + 1;
    if (next >= total)
        next = 0;
    return favorite(next + 1, 0);
}
