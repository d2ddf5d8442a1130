// ItemHandling: the item script generator.
