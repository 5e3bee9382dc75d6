// Replaced by the first view.
