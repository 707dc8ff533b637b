// The one growable list of the game. Every list is 1-based: element 0 exists
// but holds no item (or a fixed "none" entry, as in the texture table), the
// items run from 1 to count(), and removing an item moves the later ones down.
// Keeping the index arithmetic in this one place lets every caller use the
// numbers that levels, menus and files use.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

template <class T>
class List {
public:
    List() : items(1) {}

    int count() const { return static_cast<int>(items.size()) - 1; }
    bool empty() const { return items.size() == 1; }

    // Element 0 is reachable on purpose: some lists keep a fixed entry there.
    T& operator[](int index) {
        assert(index >= 0 && index <= count());
        return items[static_cast<std::size_t>(index)];
    }
    const T& operator[](int index) const {
        assert(index >= 0 && index <= count());
        return items[static_cast<std::size_t>(index)];
    }

    bool valid(int index) const { return index >= 1 && index <= count(); }

    // Appends and returns the new item's index.
    int append(const T& item) {
        items.push_back(item);
        return count();
    }

    // Removes item `index` (1..count); the later items move down by one.
    void removeAt(int index) {
        assert(valid(index));
        items.erase(items.begin() + index);
    }

    // Back to the state at creation: only element 0, reset to its default.
    void clear() { items.assign(1, T()); }

    // Drops the items but keeps element 0 as it is.
    void clearItems() { items.resize(1); }

    void reserve(int n) { items.reserve(static_cast<std::size_t>(n) + 1); }

    // Iteration covers the items 1..count(), never element 0.
    auto begin() { return items.begin() + 1; }
    auto end() { return items.end(); }
    auto begin() const { return items.begin() + 1; }
    auto end() const { return items.end(); }

    bool operator==(const List& other) const { return items == other.items; }

private:
    std::vector<T> items;
};
