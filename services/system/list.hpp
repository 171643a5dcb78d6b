// list.hpp -- entity lists: an ordered list of live objects of one effect
// family, appended at the end and walked front to back, where the object just
// visited may remove itself in constant time and objects appended during a
// walk are reached by that same walk.
#pragma once

#include <cstddef>
#include <list>
#include <memory>

template <typename T>
class TList {
   public:
    using Ref = std::shared_ptr<T>;
    using Link = typename std::list<Ref>::iterator;

    // Appends and returns the new link (keep it to remove the object cheaply).
    Link AddLast(Ref object) { return items_.insert(items_.end(), std::move(object)); }
    // Unlinks one link returned by AddLast; constant time.
    void RemoveLink(Link link) { items_.erase(link); }
    // Unlinks the first link whose value is that object; false if absent.
    bool Remove(const T* object) {
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->get() == object) {
                items_.erase(it);
                return true;
            }
        }
        return false;
    }
    void Clear() { items_.clear(); }
    std::size_t Count() const { return items_.size(); }
    bool IsEmpty() const { return items_.empty(); }

    // Walks front to back.  NextObject moves past the link before returning
    // its object, so removing the object just returned is safe.
    class Enumerator {
       public:
        explicit Enumerator(TList& list) : list_(list), link_(list.items_.begin()) {}
        bool HasNext() const { return link_ != list_.items_.end(); }
        Ref NextObject() { return *link_++; }

       private:
        TList& list_;
        Link link_;
    };
    Enumerator ObjectEnumerator() { return Enumerator(*this); }

   private:
    std::list<Ref> items_;
};
