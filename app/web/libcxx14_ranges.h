// The range algorithms the program uses that the WebAssembly build's C++
// library (Debian's libc++ 14) does not have yet; the web build includes
// this before every source. Each takes a range and works as the standard's
// does for the forms the program calls; a library that has them is left
// alone.
#ifndef ORVELIN_WEB_LIBCXX14_RANGES_H
#define ORVELIN_WEB_LIBCXX14_RANGES_H

#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000

#include <algorithm>
#include <functional>
#include <iterator>
#include <ranges>
#include <utility>

namespace std::ranges {

struct FindIf {
    template <typename Range, typename Predicate, typename Projection = identity>
    constexpr auto operator()(Range&& range, Predicate predicate,
                              Projection projection = {}) const {
        auto at = ranges::begin(range);
        for (const auto last = ranges::end(range); at != last; ++at) {
            if (std::invoke(predicate, std::invoke(projection, *at))) {
                break;
            }
        }
        return at;
    }
};
inline constexpr FindIf find_if;

struct Find {
    template <typename Range, typename Value, typename Projection = identity>
    constexpr auto operator()(Range&& range, const Value& value, Projection projection = {}) const {
        return find_if(
            range, [&value](const auto& projected) { return projected == value; }, projection);
    }
};
inline constexpr Find find;

struct AnyOf {
    template <typename Range, typename Predicate, typename Projection = identity>
    constexpr bool operator()(Range&& range, Predicate predicate,
                              Projection projection = {}) const {
        return find_if(range, predicate, projection) != ranges::end(range);
    }
};
inline constexpr AnyOf any_of;

struct AllOf {
    template <typename Range, typename Predicate, typename Projection = identity>
    constexpr bool operator()(Range&& range, Predicate predicate,
                              Projection projection = {}) const {
        return !any_of(range, std::not_fn(predicate), projection);
    }
};
inline constexpr AllOf all_of;

struct NoneOf {
    template <typename Range, typename Predicate, typename Projection = identity>
    constexpr bool operator()(Range&& range, Predicate predicate,
                              Projection projection = {}) const {
        return !any_of(range, predicate, projection);
    }
};
inline constexpr NoneOf none_of;

struct Equal {
    template <typename First, typename Second, typename Predicate = std::equal_to<>>
    constexpr bool operator()(First&& first, Second&& second, Predicate predicate = {}) const {
        return std::equal(ranges::begin(first), ranges::end(first), ranges::begin(second),
                          ranges::end(second), predicate);
    }
};
inline constexpr Equal equal;

struct ForEach {
    template <typename Range, typename Function>
    constexpr Function operator()(Range&& range, Function function) const {
        for (auto&& element : range) {
            std::invoke(function, element);
        }
        return function;
    }
};
inline constexpr ForEach for_each;

struct Copy {
    template <typename Range, typename Output>
    constexpr Output operator()(Range&& range, Output output) const {
        return std::copy(ranges::begin(range), ranges::end(range), output);
    }
};
inline constexpr Copy copy;

struct Move {
    template <typename Range, typename Output>
    constexpr Output operator()(Range&& range, Output output) const {
        return std::move(ranges::begin(range), ranges::end(range), output);
    }
};
inline constexpr Move move;

struct CountIf {
    template <typename Range, typename Predicate>
    constexpr auto operator()(Range&& range, Predicate predicate) const {
        return std::count_if(ranges::begin(range), ranges::end(range), predicate);
    }
};
inline constexpr CountIf count_if;

} // namespace std::ranges

#endif

#endif
